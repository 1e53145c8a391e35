#include "ui/analysis/graph_window.h"

#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QResizeEvent>
#include <QVBoxLayout>

#include "core/analysis/axis_titles.h"
#include "core/analysis/graph_settings.h"
#include "core/analysis/graph_switches.h"
#include "core/analysis/line_display_mode.h"
#include "core/analysis/series_model.h"
#include "core/analysis/viewer_state.h"
#include "core/common/prompter.h"
#include "core/library/selection.h"
#include "platform/chart/qcp_chart.h"
#include "platform/chart/toolkit_colors.h"
#include "platform/jpeg/jpeg_writer.h"

namespace tolvane {

TGraph::TGraph(SeriesModel& model, GraphSettings& settings, const Selection& selection,
               const ViewerState& viewer, const UnitSettings& units, Prompter& prompter,
               const TextLocale& locale, QWidget* parent)
    : QWidget(parent), m_model(model), m_settings(settings), m_selection(selection), m_viewer(viewer),
      m_units(units), m_prompter(prompter), m_locale(locale), m_chart(std::make_unique<QcpChart>())
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_chart->widget());
    m_chart->widget()->setCursor(Qt::CrossCursor);
    m_chart->widget()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_chart->widget(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_menu->popup(m_chart->widget()->mapToGlobal(at)); });
    connect(m_chart.get(), &QcpChart::mouseMoved, this, &TGraph::showMouseReadout);

    // The graph starts on engine speed with the start look: black, silver axes, aqua text, no
    // crossing of the axes at zero.
    m_settings.setXAxisColumn(GraphSettings::EngineSpeedAxis);
    m_model.SetPlotting(false);
    m_model.setChart(m_chart.get());
    ChartAppearance look = m_model.appearance();
    look.axesCrossAtZero = false;
    look.gridLines = m_settings.gridLines();
    m_model.setAppearance(look);
    applyBackground();
    WriteAxis();
    m_model.SetPlotting(true);

    buildMenu();
    connect(&m_settings, &GraphSettings::changed, this, &TGraph::syncChecks);
    syncChecks();
}

TGraph::~TGraph()
{
    m_model.setChart(nullptr);
}

QAction* TGraph::addItem(QMenu* menu, const char* name, const QString& caption, std::function<void()> handler,
                         bool checkable)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(QLatin1String(name));
    item->setCheckable(checkable);
    connect(item, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
    return item;
}

void TGraph::buildMenu()
{
    m_menu = new QMenu(this);
    addItem(m_menu, "Refresh1", QStringLiteral("Refresh"), [this] { emit refreshRequested(); });
    // The data graph, printing and the test windows are not part of the program yet: their items
    // stay in place, disabled.
    addItem(m_menu, "GraphAll1", QStringLiteral("Graph All"), [this] {
        GraphAll1Click();
    })->setEnabled(false);
    m_menu->addSeparator();
    const auto toggleX = [this](bool writeAxis) {
        toggleXQuantity(m_settings, m_model, m_units);
        refreshThen(writeAxis);
    };
    m_switches.rpm1 = addItem(
        m_menu, "RPM1", QStringLiteral("RPM"), [toggleX] { toggleX(false); }, true);
    m_switches.mph1 = addItem(
        m_menu, "MPH1", QStringLiteral("MPH"), [toggleX] { toggleX(true); }, true);
    m_menu->addSeparator();
    // The switches are plain handlers, no member-function pointers: GCC's sanitizers misread
    // those when they are captured (a false report that stops every sanitizer run).
    const auto curveSwitch = [this](const char* name, const QString& caption, std::function<void()> toggle) {
        return addItem(
            m_menu, name, caption,
            [this, toggle = std::move(toggle)] {
                toggle();
                refreshThen(true);
            },
            true);
    };
    m_switches.hp1 = curveSwitch("HP1", QStringLiteral("HP"),
                                 [this] { m_settings.setShowPower(!m_settings.showPower()); });
    m_switches.torque1 = curveSwitch("Torque1", QStringLiteral("Torque"),
                                     [this] { m_settings.setShowTorque(!m_settings.showTorque()); });
    m_switches.co1 = curveSwitch("CO1", QStringLiteral("CO% / Acc"),
                                 [this] { m_settings.setShowCo(!m_settings.showCo()); });
    m_menu->addSeparator();
    m_switches.corrected1 = addItem(
        m_menu, "Corrected1", QStringLiteral("Corrected"),
        [this] {
            chooseCorrected(m_settings, m_model, true);
            refreshThen(true);
        },
        true);
    m_switches.uncorrected1 = addItem(
        m_menu, "Uncorrected1", QStringLiteral("Uncorrected"),
        [this] {
            chooseCorrected(m_settings, m_model, false);
            refreshThen(false);
        },
        true);
    m_menu->addSeparator();
    m_switches.gridLines1 = addItem(
        m_menu, "GridLines1", QStringLiteral("Grid &Lines"),
        [this] {
            toggleGridLines(m_settings, m_model);
            refreshThen(false);
        },
        true);
    addItem(m_menu, "Colors1", QStringLiteral("&Colors..."), [this] { chooseColors(); });
    m_averageTestPhase1 = addItem(
        m_menu, "AverageTestPhase1", QStringLiteral("Average test phases"),
        [this] {
            m_settings.setAverageTestPhases(!m_settings.averageTestPhases());
            refreshThen(false);
        },
        true);
    QMenu* modes = m_menu->addMenu(QStringLiteral("Line display mode"));
    modes->setObjectName(QStringLiteral("Linedisplaymode1"));
    m_lineDisplayGroup = new QActionGroup(this);
    m_lineDisplayGroup->setExclusive(true);
    for (const LineDisplayItem& item : lineDisplayItems()) {
        QAction* choice = addItem(
            modes, item.name, item.caption,
            [this, mode = item.mode] {
                m_settings.setLineDisplayMode(mode);
                refreshThen(false);
            },
            true);
        choice->setData(QVariant::fromValue(item.mode));
        m_lineDisplayGroup->addAction(choice);
    }
    m_menu->addSeparator();
    addItem(m_menu, "Saveasjpg1", QStringLiteral("Save as jpg..."), [this] { saveAsJpg(); });
    addItem(m_menu, "PrintGraph1", QStringLiteral("Print Graph..."), [this] {
        PrintGraph1Click();
    })->setEnabled(false);
    m_menu->addSeparator();
    addItem(m_menu, "GotoTest1", QStringLiteral("Goto Test"), [this] { emit gotoTestRequested(); });
}

void TGraph::GraphAll1Click()
{
    // The data graph compares runs: it needs a second run with a colour.
    if (m_selection.runCount() >= 2 && !m_selection.row(2).colorName.isEmpty())
        emit graphAllRequested();
}

void TGraph::PrintGraph1Click()
{
    m_printing = true;
    emit printRequested();
    m_printing = false;
}

void TGraph::syncChecks()
{
    m_switches.showChecks(m_settings);
    m_averageTestPhase1->setChecked(m_settings.averageTestPhases());
    for (QAction* item : m_lineDisplayGroup->actions())
        item->setChecked(item->data().value<GraphSettings::LineDisplayMode>() ==
                         m_settings.lineDisplayMode());
}

void TGraph::refreshThen(bool writeAxis)
{
    emit refreshRequested();
    if (writeAxis)
        WriteAxis();
}

void TGraph::WriteAxis()
{
    writeAxis(m_model, m_settings, m_units);
}

void TGraph::showMouseReadout(QPointF value)
{
    const AxisTitles titles{m_model.xAxis().title, m_model.yAxis().title};
    setWindowTitle(mouseReadout(value.x(), value.y(), titles, m_locale));
    if (!m_printing && m_viewer.fileCountAtPlot() != m_selection.runCount())
        emit refreshRequested();
}

void TGraph::applyBackground()
{
    ChartAppearance look = m_model.appearance();
    look.backgroundColor = m_settings.backgroundColor();
    look.marginColor = m_settings.backgroundColor();
    m_model.setAppearance(look);
}

void TGraph::chooseColors()
{
    const std::optional<QString> chosen = m_prompter.chooseColor(m_settings.backgroundColor());
    if (!chosen)
        return;
    // The viewer and browser windows follow the setting.
    m_settings.setBackgroundColor(*chosen);
    applyBackground();
}

void TGraph::saveAsJpg()
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Save;
    request.title = QStringLiteral("Save as jpg");
    request.filter = QStringLiteral("JPEG files (*.jpg);;All files (*)");
    const std::optional<QString> chosen = m_prompter.chooseFile(request);
    if (!chosen)
        return;
    // The file dialog asked about the name the operator typed; an extension added after it
    // names another file, which is not replaced without asking.
    const QString target = jpegFileName(*chosen);
    if (target != *chosen && QFileInfo::exists(target)) {
        const PromptRequest replace{QStringLiteral("Save as jpg"),
                                    QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                        .arg(QDir::toNativeSeparators(target)),
                                    PromptIcon::Warning, PromptButtons::YesNo};
        if (m_prompter.ask(replace) != PromptAnswer::Yes)
            return;
    }
    const auto saved = saveJpeg(target, grab().toImage());
    if (const auto* error = std::get_if<FileError>(&saved))
        m_prompter.inform(QStringLiteral("Error"), error->message, PromptIcon::Error);
}

void TGraph::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    WriteAxis();
    setWindowTitle(QStringLiteral("Height: %1    Width: %2").arg(height()).arg(width()));
}

} // namespace tolvane
