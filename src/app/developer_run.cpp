#include "app/developer_run.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDirIterator>
#include <QFile>
#include <QMdiArea>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QTextStream>

#include <algorithm>
#include <optional>
#include <vector>

#include "app/application_context.h"
#include "app/live_grab.h"
#include "core/common/library_path.h"
#include "core/library/selection.h"
#include "ui/analysis/graph_window.h"
#include "ui/setup/atmospheric_window.h"
#include "ui/shell/browser_window.h"
#include "ui/shell/main_window.h"
#include "ui/shell/save_dialog.h"

namespace tolvane {

namespace {

// Notes the first time a widget of the graph window is painted.
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget& window, const QElapsedTimer& sinceStart) : m_window(window), m_sinceStart(sinceStart)
    {
    }
    std::optional<qint64> elapsedMs() const { return m_elapsedMs; }
    qint64 clockMs() const { return m_clockMs; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!m_elapsedMs && event->type() == QEvent::Paint) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget != nullptr && (widget == &m_window || m_window.isAncestorOf(widget))) {
                m_elapsedMs = m_sinceStart.elapsed();
                m_clockMs = QDateTime::currentMSecsSinceEpoch();
            }
        }
        return false;
    }

private:
    QWidget& m_window;
    const QElapsedTimer& m_sinceStart;
    std::optional<qint64> m_elapsedMs;
    qint64 m_clockMs = 0;
};

long residentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

} // namespace

DeveloperRun DeveloperRun::picture(QString what, QString file, QStringList menuItems)
{
    DeveloperRun run;
    run.m_grabWhat = std::move(what);
    run.m_grabFile = std::move(file);
    run.m_menuItems = std::move(menuItems);
    return run;
}

const QStringList& DeveloperRun::pictureNames()
{
    static const QStringList names =
        QStringList{QStringLiteral("main"), QStringLiteral("save"), QStringLiteral("atmosphere")} + LiveGrab::names();
    return names;
}

DeveloperRun DeveloperRun::measurement()
{
    DeveloperRun run;
    run.m_measure = true;
    return run;
}

DeveloperRun DeveloperRun::layoutReport()
{
    DeveloperRun run;
    run.m_layout = true;
    return run;
}

int DeveloperRun::run(ApplicationContext& context, const QElapsedTimer& sinceStart) const
{
    if (m_layout)
        return layout(context);
    return m_measure ? measure(context, sinceStart) : grab(context);
}

int DeveloperRun::layout(ApplicationContext& context) const
{
    // A window manager maximises and frames the window some time after it is shown: the report
    // waits until the geometry has stood still for a while (or five seconds have passed).
    const TForm1& form = context.mainWindow();
    QElapsedTimer total;
    total.start();
    QElapsedTimer still;
    still.start();
    QRect last = form.frameGeometry();
    while (still.elapsed() < 700 && total.elapsed() < 5000) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        if (form.frameGeometry() != last) {
            last = form.frameGeometry();
            still.restart();
        }
    }
    QTextStream out(stdout);
    const auto print = [&out](const char* name, const QRect& r) {
        out << name << ' ' << r.x() << ' ' << r.y() << ' ' << r.width() << ' ' << r.height() << '\n';
    };
    print("screen", form.screen()->availableGeometry());
    print("main", form.frameGeometry());
    print("client", QRect(QPoint(0, 0), form.clientArea()->size()));
    const GraphScreenRects rects = form.childRects();
    print("browser", rects.browser);
    print("graph", rects.graph);
    print("viewer", rects.viewer);
    return 0;
}

int DeveloperRun::grab(ApplicationContext& context) const
{
    QTextStream out(stdout);
    TForm1& form = context.mainWindow();
    settle();
    for (const QString& name : m_menuItems) {
        auto* item = form.menuBar()->findChild<QAction*>(name);
        if (item == nullptr || !item->isEnabled()) {
            out << "no enabled menu item named \"" << name << "\"\n";
            return 1;
        }
        item->trigger();
        settle();
    }
    QWidget* window = &form;
    if (m_grabWhat == QLatin1String("save"))
        window = &context.saveDialog();
    else if (m_grabWhat == QLatin1String("atmosphere"))
        window = &context.atmosphericWindow();
    else if (LiveGrab::names().contains(m_grabWhat)) {
        window = LiveGrab(context, out).prepare(m_grabWhat);
        if (window == nullptr)
            return 1;
    } else if (m_grabWhat != QLatin1String("main")) {
        out << "--grab takes " << pictureNames().join(QLatin1Char('|')) << "\n";
        return 1;
    }
    window->show();
    window->raise();
    settle();
    if (!window->grab().save(m_grabFile)) {
        out << "cannot write " << m_grabFile << "\n";
        return 1;
    }
    out << m_grabFile << "\n";
    return 0;
}

int DeveloperRun::measure(ApplicationContext& context, const QElapsedTimer& sinceStart) const
{
    QTextStream out(stdout);
    TForm1& form = context.mainWindow();
    FirstPaint firstPaint(context.graphWindow(), sinceStart);
    qApp->installEventFilter(&firstPaint);
    while (!firstPaint.elapsedMs() && sinceStart.elapsed() < 30000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    qApp->removeEventFilter(&firstPaint);
    out << "first paint of the graph screen: " << firstPaint.elapsedMs().value_or(-1) << " ms\n";
    // The wall clock of that paint, so a caller can count from before the process was started.
    out << "first paint clock: " << firstPaint.clockMs() << "\n";

    // Refresh of twenty runs, added as History items add them: first the History's runs beside
    // the ones start-up opened, then the runs of each make folder named "Bench ..." (long runs a
    // benchmark put there) on their own. Only those folders are walked: the library may be large.
    TDirForm& browser = context.browser();
    const QString root = browser.rootDirectory();
    std::vector<std::pair<QString, QStringList>> groups{
        {QStringLiteral("library"), context.selection().history()}};
    for (const QString& make : QDir(root).entryList({QStringLiteral("Bench *")}, QDir::Dirs, QDir::Name)) {
        QStringList stored;
        QDirIterator files(root + QLatin1Char('/') + make, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext())
            stored.append(storedPathBelow(root, files.next()));
        std::sort(stored.begin(), stored.end());
        groups.emplace_back(make, stored);
    }
    const Selection& selection = context.selection();
    for (const auto& [name, stored] : groups) {
        if (name != groups.front().first)
            browser.ClearAll1Click();
        // Each entry in turn until twenty runs are selected, or every entry was tried twenty times.
        for (int i = 0; selection.runCount() < Selection::MaxRuns && i < Selection::MaxRuns * stored.size();
             ++i)
            browser.addHistoryItem(stored.at(i % stored.size()));
        std::vector<qint64> refreshUs;
        for (int repetition = 0; repetition < 5; ++repetition) {
            QElapsedTimer timer;
            timer.start();
            form.Refresh1Click();
            QApplication::processEvents();
            refreshUs.push_back(timer.nsecsElapsed() / 1000);
        }
        std::sort(refreshUs.begin(), refreshUs.end());
        out << "Refresh of " << selection.runCount() << " runs (" << name << "): median "
            << refreshUs[2] / 1000.0 << " ms\n";
        out << "resident memory with them plotted (" << name << "): " << residentKilobytes() / 1024.0
            << " MB\n";
    }
    return 0;
}

} // namespace tolvane
