#include "ui/analysis/run_viewer_window.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

#include "core/analysis/graph_settings.h"
#include "core/analysis/run_plotter.h"
#include "core/analysis/run_viewer_rules.h"
#include "core/analysis/spike_filter.h"
#include "core/analysis/viewer_state.h"
#include "core/analysis/viewer_text.h"
#include "core/common/data_paths.h"
#include "core/common/library_path.h"
#include "core/common/prompter.h"
#include "core/common/text_file.h"
#include "core/library/layout_settings.h"
#include "core/library/selection.h"
#include "platform/chart/toolkit_colors.h"
#include "ui/analysis/chg_inertia_dialog.h"
#include "ui/analysis/chg_ratio_dialog.h"
#include "ui/analysis/run_table_model.h"

namespace tolvane {

namespace {

constexpr int StripHeight = 17;
// Keys typed closer together than this reach the notes backup in one write.
constexpr int BackupDelayMs = 300;

QColor toolkitColor(const QString& name, const QColor& fallback)
{
    return colorFromName(name).value_or(fallback);
}

} // namespace

TViewFiles::TViewFiles(RecalcContext context, Selection& selection, RunPlotter& plotter,
                       const DataPaths& paths, LayoutSettings& layoutSettings, QWidget* parent)
    : QWidget(parent), m_context(context), m_selection(selection), m_plotter(plotter), m_paths(paths),
      m_rootDirectory(paths.defaultLibraryRoot()), m_layout(layoutSettings)
{
    m_lineColor = new QTableWidget(1, 0, this);
    m_lineColor->setObjectName(QStringLiteral("LineColor"));
    m_lineColor->horizontalHeader()->hide();
    m_lineColor->verticalHeader()->hide();
    m_lineColor->verticalHeader()->setDefaultSectionSize(StripHeight);
    m_lineColor->setFixedHeight(StripHeight + 2);
    m_lineColor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_lineColor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_lineColor->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lineColor->setSelectionMode(QAbstractItemView::NoSelection);
    connect(m_lineColor, &QTableWidget::cellClicked, this,
            [this](int, int column) { LineColorClick(column); });

    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setTabChangesFocus(false);
    m_memo->setContextMenuPolicy(Qt::CustomContextMenu);
    m_memo->viewport()->installEventFilter(this);
    connect(m_memo, &QPlainTextEdit::textChanged, this, &TViewFiles::notesEdited);
    m_backupTimer = new QTimer(this);
    m_backupTimer->setSingleShot(true);
    m_backupTimer->setInterval(BackupDelayMs);
    connect(m_backupTimer, &QTimer::timeout, this, &TViewFiles::writeNotesBackup);
    connect(m_memo, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_menu->popup(m_memo->mapToGlobal(at)); });

    m_runTable = new RunTableModel(this);
    m_runGrid = new QTableView(this);
    m_runGrid->setObjectName(QStringLiteral("StringGrid1"));
    m_runGrid->setModel(m_runTable);
    m_runGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_runGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_runGrid->hide();
    connect(m_runGrid, &QTableView::doubleClicked, this,
            [this](const QModelIndex&) { StringGrid1DblClick(); });
    connect(m_runGrid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_menu->popup(m_runGrid->mapToGlobal(at)); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_lineColor);
    layout->addWidget(m_memo, 1);
    layout->addWidget(m_runGrid, 1);

    m_inertiaDialog = new TChg_IF(m_context, this);
    m_ratioDialog = new TChg_Ratio(m_context, this);
    connect(m_inertiaDialog, &RecalcValueDialog::previewDrawn, this, &TViewFiles::showGraphRequested);
    connect(m_ratioDialog, &RecalcValueDialog::previewDrawn, this, &TViewFiles::showGraphRequested);
    connect(m_inertiaDialog, &TChg_IF::evenIncRequested, this, &TViewFiles::EvnIncClick);

    buildMenu();
    // The armed spike filter runs inside the next load of the current run; when it saved the
    // file, the graph and the file list catch up once that plot has finished.
    m_plotter.setSpikeFilter([this](RunTable& table, int) {
        if (SpikeFilterClick(table, m_context.text, m_context.viewer, m_context.prompter, m_rootDirectory)
                .saved)
            QMetaObject::invokeMethod(
                this,
                [this] {
                    emit refreshRequested();
                    emit fileListChanged();
                },
                Qt::QueuedConnection);
    });
    connect(&m_context.text, &ViewerText::changed, this, &TViewFiles::showText);
    // The strip shows the tabs the viewer state holds, in the runs' colours.
    connect(&m_context.viewer, &ViewerState::changed, this, &TViewFiles::showRunStrip);
    connect(&m_selection, &Selection::changed, this, &TViewFiles::showRunStrip);
    connect(&m_context.graph, &GraphSettings::changed, this, &TViewFiles::applyNotesLook);
    connect(&m_layout, &LayoutSettings::changed, this, &TViewFiles::applyNotesLook);
    applyNotesLook();
    showText();
    showRunStrip();
}

TViewFiles::~TViewFiles()
{
    writeNotesBackup();
    m_plotter.setSpikeFilter({});
}

QAction* TViewFiles::addItem(const char* name, const QString& caption, std::function<void()> handler)
{
    QAction* item = m_menu->addAction(caption);
    item->setObjectName(QLatin1String(name));
    connect(item, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
    return item;
}

void TViewFiles::buildMenu()
{
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("PopupMenu1"));
    // The notes comparison, printing and the test windows are not part of the program yet: their
    // items stay in place, disabled.
    addItem("CompareNotes1", QStringLiteral("Compare Notes"), [this] {
        CompareNotes1Click();
    })->setEnabled(false);
    m_menu->addSeparator();
    addItem("Save1", QStringLiteral("&Save"), [this] { Save1Click(); });
    addItem("Rename1", QStringLiteral("Rename..."), [this] { Rename1Click(); });
    addItem("SaveCopyAs1", QStringLiteral("Save Copy As..."), [this] { SaveCopyAs1Click(); });
    m_menu->addSeparator();
    addItem("Cut1", QStringLiteral("Cut              Ctrl+X"), [this] { m_memo->cut(); });
    addItem("Copy1", QStringLiteral("Copy           Ctrl+C"), [this] { m_memo->copy(); });
    addItem("Paste1", QStringLiteral("Paste          Ctrl+P"), [this] { m_memo->paste(); });
    m_menu->addSeparator();
    addItem("LargerFont1", QStringLiteral("Larger Font"), [this] { LargerFont1Click(); });
    addItem("SmallerFont1", QStringLiteral("Smaller Font"), [this] { SmallerFont1Click(); });
    m_menu->addSeparator();
    addItem("LoadBackup1", QStringLiteral("Load Backup"), [this] { LoadBackup1Click(); });
    m_menu->addSeparator();
    addItem("Print1", QStringLiteral("Print"), [this] { emit printRequested(); })->setEnabled(false);
    addItem("GotoTest1", QStringLiteral("Goto &Test"), [this] { emit gotoTestRequested(); });
    addItem("EvenInc1", QStringLiteral("Even Inc"), [this] { EvnIncClick(); });
    addItem("writem1", QStringLiteral("writem"), [this] { writem1Click(); });
    addItem("SpikeFilter1", QStringLiteral("Spike Filter"), [this] { SpikeFilter1Click(); });
}

void TViewFiles::report(const QString& title, const QString& text)
{
    m_context.prompter.inform(title, text, PromptIcon::Error);
}

// ---- the notes box ----

void TViewFiles::showText()
{
    const QString shown = m_context.text.lines().join(QLatin1Char('\n'));
    if (m_memo->toPlainText() != shown) {
        m_showing = true;
        m_memo->setPlainText(shown);
        m_showing = false;
    }
    setWindowTitle(m_context.text.caption());
    if (m_runGrid->isVisible())
        fillRunGrid();
}

void TViewFiles::notesEdited()
{
    if (m_showing)
        return;
    const QString shown = m_memo->toPlainText();
    m_context.text.setLines(shown.isEmpty() ? QStringList() : shown.split(QLatin1Char('\n')), true);
    // Every edit reaches the backup file, so a crash or a wrong file load loses nothing typed;
    // a burst of keys is written once, shortly after the last one.
    m_pendingBackup = m_context.text.lines();
    m_backupTimer->start();
}

void TViewFiles::writeNotesBackup()
{
    if (!m_pendingBackup)
        return;
    m_backupTimer->stop();
    const QStringList lines = *std::exchange(m_pendingBackup, std::nullopt);
    if (const std::optional<FileError> error = writeTextLines(m_paths.notesBackup(), lines)) {
        if (!m_backupFailureReported)
            report(QStringLiteral("Notes Backup"), error->message);
        m_backupFailureReported = true;
    } else {
        m_backupFailureReported = false;
    }
}

void TViewFiles::applyNotesLook()
{
    const QColor background = toolkitColor(m_context.graph.backgroundColor(), Qt::black);
    const QColor textColor = toolkitColor(m_notesColor, Qt::yellow);
    const QString sheet =
        QStringLiteral("background: %1; color: %2;").arg(background.name(), textColor.name());
    setStyleSheet(QStringLiteral("TViewFiles { background: %1; }").arg(background.name()));
    m_lineColor->setStyleSheet(
        QStringLiteral("QTableWidget { background: %1; gridline-color: gray; }").arg(background.name()));
    m_memo->setStyleSheet(QStringLiteral("QPlainTextEdit { %1 }").arg(sheet));
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(m_layout.notesFontSize());
    m_memo->setFont(font);
    // Tabs are part of the data lines: a stop every eight digits keeps their columns.
    m_memo->setTabStopDistance(QFontMetricsF(font).horizontalAdvance(QLatin1Char('0')) * 8);
}

void TViewFiles::LargerFont1Click()
{
    m_layout.setNotesFontSize(largerNotesFont(m_layout.notesFontSize()));
}

void TViewFiles::SmallerFont1Click()
{
    m_layout.setNotesFontSize(smallerNotesFont(m_layout.notesFontSize()));
}

void TViewFiles::LoadBackup1Click()
{
    writeNotesBackup();
    const TextReadResult backup = readTextLines(m_paths.notesBackup());
    if (!backup.ok()) {
        report(QStringLiteral("Load Backup"), backup.error->message);
        return;
    }
    // The backup differs from the file on disk until it is saved.
    m_context.text.setLines(backup.lines, true);
}

// ---- run strip and run table ----

void TViewFiles::showRunStrip()
{
    const QStringList& names = m_context.viewer.runStrip();
    const int columns = static_cast<int>(names.size()) + 1;
    if (m_lineColor->columnCount() != columns) {
        m_lineColor->setColumnCount(columns);
        layoutStrip();
    }
    for (int run = 1; run < columns; ++run) {
        QTableWidgetItem* cell = m_lineColor->item(0, run);
        if (cell == nullptr) {
            cell = new QTableWidgetItem;
            m_lineColor->setItem(0, run, cell);
        }
        cell->setText(names.at(run - 1));
        const QString color = run <= m_selection.runCount() ? m_selection.row(run).colorName : QString();
        cell->setForeground(toolkitColor(runStripTextColor(color), Qt::white));
    }
}

void TViewFiles::layoutStrip()
{
    const QList<int> widths = runStripColumnWidths(m_lineColor->width(), m_lineColor->columnCount());
    for (int column = 0; column < widths.size(); ++column)
        m_lineColor->setColumnWidth(column, widths.at(column));
}

void TViewFiles::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutStrip();
}

void TViewFiles::LineColorClick(int run)
{
    if (run < 1 || run > m_selection.runCount())
        return;
    const QTableWidgetItem* tab = m_lineColor->item(0, run);
    if (tab == nullptr || tab->text().isEmpty())
        return;
    if (m_notesCheck)
        m_notesCheck();
    const SelectionRow& row = m_selection.row(run);
    const TextReadResult file = readTextLines(row.path);
    if (!file.ok()) {
        report(QStringLiteral("Open"), file.error->message);
        return;
    }
    showRun(file.lines, row.colorName, QFileInfo(QDir::fromNativeSeparators(row.path)).fileName());
}

void TViewFiles::showRun(const QStringList& lines, const QString& colorName, const QString& caption)
{
    setNotesColor(colorName);
    m_context.text.showFile(lines, caption);
    if (m_plotter.PreViewG(lines) && m_inertiaDialog->isVisible())
        m_inertiaDialog->showForCurrentRun();
}

void TViewFiles::setNotesColor(const QString& colorName)
{
    m_notesColor = colorName;
    applyNotesLook();
}

void TViewFiles::PlotAll()
{
    if (m_notesCheck && m_notesCheck())
        return;
    const PlotAllResult result = m_plotter.PlotAll();
    // One tab per selected run; runs the plot did not reach stay unnamed.
    QStringList strip = result.runNames;
    while (strip.size() < m_selection.runCount())
        strip.append(QString());
    m_context.viewer.setRunStrip(strip);
    if (!result.lastRunLines.isEmpty()) {
        setNotesColor(result.lastRunColor);
        m_context.text.showFile(result.lastRunLines, result.lastRunName);
    }
}

void TViewFiles::fillRunGrid()
{
    m_runTable->setTable(readRecalcRun(m_context).table);
}

void TViewFiles::Memo1DblClick()
{
    fillRunGrid();
    m_memo->hide();
    m_runGrid->show();
}

void TViewFiles::StringGrid1DblClick()
{
    m_runGrid->hide();
    m_memo->show();
}

bool TViewFiles::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_memo->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        Memo1DblClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// ---- file operations ----

void TViewFiles::Save1Click()
{
    const std::optional<QString> path = resolveInsideRoot(m_rootDirectory, m_context.text.storedPath());
    if (path) {
        const PromptRequest confirm{QStringLiteral("Confirm"),
                                    QStringLiteral("Save as- ") + QDir::toNativeSeparators(*path),
                                    PromptIcon::Question, PromptButtons::OkCancel};
        if (m_context.prompter.ask(confirm) != PromptAnswer::Ok)
            return;
    }
    // Also words the refusal of a line 2 that leads outside the library.
    if (const std::optional<QString> error = m_context.text.saveInLibrary(m_rootDirectory)) {
        report(QStringLiteral("Save"), *error);
        return;
    }
    emit refreshRequested();
    emit fileListChanged();
}

void TViewFiles::SaveCopyAs1Click()
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Save;
    request.title = QStringLiteral("Save Copy As");
    request.directory = m_rootDirectory;
    const std::optional<QString> chosen = m_context.prompter.chooseFile(request);
    if (chosen) {
        if (const std::optional<FileError> error = writeTextLines(*chosen, m_context.text.lines()))
            report(QStringLiteral("Save Copy As"), error->message);
        else
            m_context.text.setModified(false);
    }
    emit fileListChanged();
}

void TViewFiles::Rename1Click()
{
    const LibraryTarget old = storedPathTarget(m_rootDirectory, m_context.text.storedPath());
    if (!old.path) {
        report(QStringLiteral("Rename"), old.refusal);
        return;
    }
    const QString oldPath = *old.path;
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Save;
    request.title = QStringLiteral("Rename");
    request.directory = QFileInfo(oldPath).absolutePath();
    request.fileName = QFileInfo(oldPath).fileName();
    if (const std::optional<QString> chosen = m_context.prompter.chooseFile(request)) {
        if (const std::optional<QString> error =
                renameCurrentRun(m_context.text, m_selection, m_rootDirectory, *chosen))
            report(QStringLiteral("Rename"), *error);
    }
    emit fileListChanged();
}

void TViewFiles::CompareNotes1Click()
{
    if (m_selection.runCount() >= 2)
        emit compareNotesRequested();
}

// ---- recalculation tools ----

void TViewFiles::ChangeInertia1Click()
{
    m_inertiaDialog->showForCurrentRun();
}

void TViewFiles::ChangeRatio1Click()
{
    m_ratioDialog->showForCurrentRun();
}

void TViewFiles::EvnIncClick()
{
    tolvane::EvnIncClick(m_context, m_evenInc);
    emit showGraphRequested();
}

void TViewFiles::writem1Click()
{
    tolvane::writem1Click(m_context, m_evenInc);
}

void TViewFiles::SpikeFilter1Click()
{
    m_context.viewer.setSpikeFilterArmed(true);
}

} // namespace tolvane
