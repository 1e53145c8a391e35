// TDirForm's selection grid: runs joining the selection (double-click, drop, History), the History
// kept with them, selecting, removing and recolouring runs, Clear All, and the grid's cells drawn
// in the runs' colours.
#include "ui/shell/browser_window.h"

#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QTableWidget>

#include "core/analysis/series_model.h"
#include "core/analysis/viewer_state.h"
#include "core/analysis/viewer_text.h"
#include "core/common/configuration.h"
#include "core/common/library_path.h"
#include "core/common/prompter.h"
#include "core/common/text_file.h"
#include "core/library/selection.h"
#include "platform/chart/toolkit_colors.h"
#include "ui/analysis/run_viewer_window.h"

namespace tolvane {

namespace {

// The chart series that selected runs may own (three per run, and room to spare).
constexpr int LastRunSeries = 100;

} // namespace

bool TDirForm::addRun(const QString& fullPath, bool fromFileList)
{
    // A file that vanished since it was listed has no date: it is left out.
    const std::optional<QString> date = fileDateTime(fullPath);
    if (!date)
        return false;
    const std::optional<QString> refusal = m_selection.addRun(
        fullPath, m_root, *date,
        fromFileList ? Selection::MarkerSpelling::Capital : Selection::MarkerSpelling::LowerCaseDiamond);
    if (refusal) {
        m_prompter.ask({QStringLiteral("Warning"), *refusal, PromptIcon::Warning, PromptButtons::Ok});
        return false;
    }
    return true;
}

void TDirForm::MfilelbDblClick()
{
    // Without a chosen file there is nothing to add; a file the click before refused (a system
    // file, or no test file) is not added either.
    const QListWidgetItem* item = m_files->currentItem();
    if (item == nullptr || !item->flags().testFlag(Qt::ItemIsDragEnabled))
        return;
    const QString file = chosenFile();
    m_viewer.setRescalePending(true);
    if (addRun(file, true))
        UpDateHistory(file);
}

void TDirForm::SelfilegDragDrop(const QStringList& entryNames)
{
    m_viewer.setRescalePending(true);
    if (m_selection.runCount() + 1 > MaxRowsForDrop)
        return;
    for (const QString& name : entryNames) {
        const QString file = m_fileDirectory + QLatin1Char('/') + name;
        if (addRun(file, false))
            UpDateHistory(file);
        else if (m_selection.runCount() >= Selection::MaxRuns)
            break;
    }
    if (entryNames.size() > 1)
        emit plotAllRequested();
}

bool TDirForm::addHistoryItem(const QString& caption)
{
    const std::optional<QString> file = resolveInsideRoot(m_root, caption);
    return file && addRun(*file, false);
}

void TDirForm::UpDateHistory(const QString& fullPath)
{
    const QString entry = Selection::historyEntry(m_root, fullPath);
    if (!entry.isEmpty())
        m_selection.updateHistory(entry);
}

void TDirForm::WrtRegClick()
{
    ConfigChanges changes = m_configuration.changes();
    m_selection.writeHistory(changes, m_viewer.fileIndex());
    if (const std::optional<FileError> error = m_configuration.apply(changes))
        report(QStringLiteral("History"), error->message);
}

void TDirForm::SelfilegSelectCell(int run)
{
    MemoModified();
    if (run < 1 || run > m_selection.runCount())
        return;
    const SelectionRow row = m_selection.row(run);
    const TextReadResult read = readTextLines(row.path);
    if (!read.ok()) {
        report(QStringLiteral("Open"), read.error->message);
        return;
    }
    m_viewer.setCurrentFile(row.path);
    m_runViewer.showRun(read.lines, row.colorName, QFileInfo(row.path).fileName());
    emit fileNameProposalRequested();
}

void TDirForm::SelfilegDblClick(int run, int column)
{
    if (run < 1 || run > m_selection.runCount())
        return;
    if (column == 0) {
        if (const std::optional<QString> chosen = m_prompter.chooseColor(m_selection.row(run).colorName))
            m_selection.setColor(run, *chosen);
        emit refreshRequested();
        return;
    }
    m_selection.removeRun(run);
    // The strip keeps one tab per remaining run, so the runs to reopen are still counted.
    m_viewer.removeRunStripTab(run);
    m_viewer.setFileCountAtPlot(0);
}

void TDirForm::ClearAll1Click()
{
    MemoModified();
    m_series.SetPlotting(false);
    for (int key = 1; key <= LastRunSeries; ++key)
        m_series.ClearSeries(key);
    m_series.SetPlotting(true);
    m_text.clear();
    m_selection.clear();
    m_viewer.setRunStrip({});
    m_viewer.setFileCountAtPlot(0);
}

void TDirForm::repaintSelection()
{
    m_grid->viewport()->update();
}

void TDirForm::fillGrid()
{
    m_grid->setRowCount(m_selection.runCount());
    for (int run = 1; run <= m_selection.runCount(); ++run) {
        const SelectionRow& row = m_selection.row(run);
        const QColor color = colorFromName(row.colorName).value_or(QColor(Qt::white));
        // Black text would vanish on the black grid.
        const QColor textColor = color == QColor(Qt::black) ? QColor(128, 128, 128) : color;
        const QString texts[] = {row.colorName, row.displayName, row.dateTimeText, row.path, row.markerName};
        for (int column = 0; column < 5; ++column) {
            auto* cell = new QTableWidgetItem(texts[column]);
            // Narrow columns cut the name and the time short: the whole text shows on hovering.
            cell->setToolTip(column == 1 ? QDir::toNativeSeparators(row.path) : texts[column]);
            if (column == 0) {
                cell->setBackground(color);
                cell->setForeground(color);
            } else {
                cell->setForeground(textColor);
            }
            m_grid->setItem(run - 1, column, cell);
        }
    }
}

} // namespace tolvane
