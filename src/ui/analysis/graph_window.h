#pragma once
// TGraph: the window of the run comparison chart. It draws the SeriesModel the plotting fills,
// offers the Graph switches and the graph's own settings in its context menu, shows the value
// under the mouse in its caption and exports the picture as JPEG. Everything that is not a widget
// lives in core (GraphSettings, graph_switches, axis_titles, the JPEG writer); what belongs to
// the main window (Refresh, Graph All, printing, a new test) is asked for through signals.
#include <QColor>
#include <QPointF>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

#include "core/common/text_locale.h"
#include "ui/analysis/graph_switch_items.h"

class QAction;
class QActionGroup;
class QMenu;

namespace tolvane {

class GraphSettings;
class Prompter;
class QcpChart;
class Selection;
class SeriesModel;
class UnitSettings;
class ViewerState;

class TGraph : public QWidget {
    Q_OBJECT
public:
    TGraph(SeriesModel& model, GraphSettings& settings, const Selection& selection, const ViewerState& viewer,
           const UnitSettings& units, Prompter& prompter, const TextLocale& locale,
           QWidget* parent = nullptr);
    ~TGraph() override;

    QcpChart& chart() const { return *m_chart; }
    QMenu* contextMenu() const { return m_menu; }

    // WriteAxis: both axis titles from the x quantity and the curve switches.
    void WriteAxis();
    // The caption read-out for the chart point under the mouse; then a re-plot request when the
    // selection changed size since the last plot (unless a print is being started).
    void showMouseReadout(QPointF value);
    // "Save as jpg...": asks for a name, captures the window and writes it as JPEG.
    void saveAsJpg();
    // "Graph All": the data graph of the compared runs, when there are two runs to compare.
    void GraphAll1Click();
    // "Print Graph...": the print, with no re-plot from mouse movement meanwhile.
    void PrintGraph1Click();
    // "&Colors...": the chart background and margin take the chosen colour.
    void chooseColors();
    // The chart background and margin take the settings' colour (also when a layout is read back).
    void applyBackground();

signals:
    // The main window's Refresh: re-plot every run with the current settings.
    void refreshRequested();
    void graphAllRequested();
    void printRequested();
    void gotoTestRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenu();
    QAction* addItem(QMenu* menu, const char* name, const QString& caption, std::function<void()> handler,
                     bool checkable = false);
    void syncChecks();
    void refreshThen(bool writeAxis);

    SeriesModel& m_model;
    GraphSettings& m_settings;
    const Selection& m_selection;
    const ViewerState& m_viewer;
    const UnitSettings& m_units;
    Prompter& m_prompter;
    TextLocale m_locale;
    std::unique_ptr<QcpChart> m_chart;
    QMenu* m_menu = nullptr;
    GraphSwitchItems m_switches;
    QAction* m_averageTestPhase1 = nullptr;
    QActionGroup* m_lineDisplayGroup = nullptr;
    // Set while the window starts a print: mouse movement must not re-plot meanwhile.
    bool m_printing = false;
};

} // namespace tolvane
