#include "core/analysis/notes_comparison.h"

#include <algorithm>

namespace tolvane {

namespace {

constexpr int TypeTimeRow = 1;
constexpr int CorrectionRow = 2;
constexpr int TachRatioRow = 3;
constexpr int FirstNoteRow = 4;

const QString SaePrefix = QStringLiteral("SAE Correction Factor - ");
const QString AppliedPrefix = QStringLiteral("Correction Factor Applied - ");
const QString TachPrefix = QStringLiteral("Eng. Tachometer Ratio - ");

QString withoutLeadingBlanks(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char('\t') || text[i] == QLatin1Char(' ')))
        ++i;
    return text.mid(i);
}

// The value after a prefix found anywhere in the line.
QString afterPrefix(const QString& line, const QString& prefix)
{
    return line.mid(line.indexOf(prefix) + prefix.size());
}

bool sameColour(const QString& colour, const char* name)
{
    return colour.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

} // namespace

QString& NotesComparison::at(int row, int column)
{
    while (rowCount() <= row)
        m_cells.emplace_back(QStringList(m_columnCount, QString()));
    return m_cells[static_cast<std::size_t>(row)][column];
}

NotesComparison NotesComparison::build(const std::vector<ComparedRun>& runs)
{
    NotesComparison grid;
    grid.m_columnCount = std::max(2, static_cast<int>(runs.size()) + 1);
    grid.m_colours = QStringList(grid.m_columnCount, QString());
    grid.at(1, 0); // two rows at least
    if (runs.empty()) {
        grid.at(0, 1) = QStringLiteral("No Data");
        return grid;
    }
    grid.at(TypeTimeRow, 0) = QStringLiteral("Type/Time");
    grid.at(CorrectionRow, 0) = QStringLiteral("Correction");
    grid.at(TachRatioRow, 0) = QStringLiteral("Tach Ratio");

    for (int j = 1; j <= static_cast<int>(runs.size()); ++j) {
        const ComparedRun& run = runs[static_cast<std::size_t>(j - 1)];
        grid.m_colours[j] = run.colour;
        grid.at(0, j) = run.displayName;
        int q = TypeTimeRow;
        for (qsizetype index = 0; index < run.lines.size(); ++index) {
            const QString& line = run.lines[index];
            if (line.contains(SaePrefix))
                grid.at(CorrectionRow, j) = afterPrefix(line, SaePrefix);
            else if (line.contains(AppliedPrefix))
                grid.at(CorrectionRow, j) = afterPrefix(line, AppliedPrefix);
            if (line.contains(TachPrefix))
                grid.at(TachRatioRow, j) = afterPrefix(line, TachPrefix);

            // The first line is always the type and time, even when written at midnight without
            // a time (and so without a colon): otherwise every later row of that run would slip
            // up by one against the other runs.
            const qsizetype colon = line.indexOf(QLatin1Char(':'));
            if (colon < 0 && index > 0)
                continue;
            if (q == TypeTimeRow) {
                grid.at(q, j) = withoutLeadingBlanks(line.mid(line.indexOf(QLatin1Char(' ')) + 1));
            } else {
                if (j == 1)
                    grid.at(q, 0) = line.left(colon + 1);
                grid.at(q, j) = withoutLeadingBlanks(line.mid(colon + 1));
            }
            q = q == TypeTimeRow ? FirstNoteRow : q + 1;
        }
    }
    return grid;
}

QString NotesComparison::cell(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= m_columnCount)
        return {};
    return m_cells[static_cast<std::size_t>(row)][column];
}

QString NotesComparison::runColour(int column) const
{
    return column > 0 && column < m_colours.size() ? m_colours[column] : QString();
}

NotesCellStyle NotesComparison::cellStyle(int row, int column) const
{
    if (row == 0 || column == 0)
        return {QStringLiteral("clBlack"), QStringLiteral("clBtnFace")};
    const QString colour = runColour(column);
    // Black text would vanish on the black grid; any spelling of black shows white.
    NotesCellStyle style{colour.isEmpty() || sameColour(colour, "clBlack") ? QStringLiteral("clWhite")
                                                                           : colour,
                         QStringLiteral("clBlack")};
    if (row >= CorrectionRow && column < m_columnCount - 1 && cell(row, column) != cell(row, column + 1)) {
        style.backgroundColour = QStringLiteral("clYellow");
        if (sameColour(colour, "clLime") || sameColour(colour, "clYellow") || sameColour(colour, "clAqua"))
            style.textColour = QStringLiteral("clBlack");
    }
    return style;
}

int NotesComparison::runColumnWidth(int gridWidth, int columnCount)
{
    return std::max(0, (gridWidth - 100) / std::max(1, columnCount - 1));
}

QString NotesComparison::headerText(int column, int columnWidth) const
{
    return cell(0, column).right(std::max(0, columnWidth / 7));
}

} // namespace tolvane
