#pragma once
// What the recalculation tools share: the current run read for rewriting, the rewrite of single
// numeric fields of a data line, the two "Max" summary lines of a sweep file, and the look of
// the preview curves.
//
// The tools read the run without the display reductions, so that table row r is the r-th line
// that carries numbers and each rewrite lands on the line the row came from; lines without
// numbers (headings, warm-up values, "end.", the setup block) are never touched.
#include <QString>
#include <QStringList>

#include <map>
#include <vector>

#include "core/analysis/run_table.h"
#include "core/common/text_locale.h"

namespace tolvane {

class GraphSettings;
class Prompter;
class SeriesModel;
class UnitSettings;
class ViewerState;
class ViewerText;

// Everything a tool reads and changes; the windows own the parts.
struct RecalcContext {
    ViewerText& text;
    ViewerState& viewer;
    SeriesModel& chart;
    const GraphSettings& graph;
    Prompter& prompter;
    const UnitSettings& units;
    TextLocale locale;
};

struct RecalcRun {
    RunTable table;
    std::vector<int> rowLines; // text line of every table row
    double correction = 1.0;   // RunCorrection under the current Corrected/Uncorrected choice
    double tachRatio = 0.0;    // the run's line, else the viewer's RunTachRatio
    // The sweep layout: acceleration, dynamic and static torque in columns 4, 5 and 6 (a step
    // file keeps gas values there and has no inertia term at all).
    bool hasAcceleration = false;
};

RecalcRun readRecalcRun(const RecalcContext& context);

// Indices of the lines on which at least one tab-ended field reads as a number: the lines that
// give a run table its rows, in order.
std::vector<int> dataLineIndices(const QStringList& lines, QChar decimalSeparator);

// The line with the texts of some of its numeric fields replaced: key k names the k-th field
// that reads as a number (the table's column k). Every other character stays as it was.
QString replaceNumberFields(const QString& line, const std::map<int, QString>& byColumn,
                            QChar decimalSeparator);

// The highest power and torque met while rewriting, each with its engine rpm.
struct MaxTracker {
    double power = 0.0;
    double powerRpm = 0.0;
    double torque = 0.0;
    double torqueRpm = 0.0;
    void add(double powerValue, double torqueValue, double engineRpm);
};

// Replaces the "Max <power>:" and "Max <torque>:" lines (lines 4 and 5) of a sweep file; a file
// without them (a step file) is left alone. True when they were replaced.
// Puts the rewritten lines into the viewer's text, marked modified; false when nothing changed.
bool commitRecalculatedLines(RecalcContext& context, const QStringList& lines);

bool replaceSweepSummary(QStringList& lines, const MaxTracker& max, const UnitSettings& units,
                         const TextLocale& locale);

// A tool preview curve (series 100 and 101): a dotted line without markers.
void stylePreviewCurve(SeriesModel& chart, int key, const QString& colour);

} // namespace tolvane
