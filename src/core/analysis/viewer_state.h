#pragma once
// What the run viewer knows about the runs it shows, shared with the graph, the browser, the
// save dialog and the recalculation tools: the current file, the header values of the last run
// read, the flags that steer the next plot, and the extents of everything plotted.
#include <QObject>
#include <QString>
#include <QStringList>

#include "core/analysis/plot_extents.h"

namespace tolvane {

class ViewerState : public QObject {
    Q_OBJECT
public:
    explicit ViewerState(QObject* parent = nullptr) : QObject(parent) {}

    // Full path of the run the viewer treats as current.
    QString currentFile() const { return m_currentFile; }
    void setCurrentFile(const QString& path);

    // Factor applied to power and torque of the run read last.
    double runCorrection() const { return m_runCorrection; }
    void setRunCorrection(double factor);
    // Tach ratio of the current run; a run without the line keeps the previous value.
    double runTachRatio() const { return m_runTachRatio; }
    void setRunTachRatio(double ratio);
    // Inertia of the current run, also set by the inertia preview.
    double runInertia() const { return m_runInertia; }
    void setRunInertia(double inertia);
    // Index of the current run's first line that held a number.
    int firstDataLine() const { return m_firstDataLine; }
    void setFirstDataLine(int index);

    // Set when runs were added to the selection: the next full plot fits the axes.
    bool rescalePending() const { return m_rescalePending; }
    void setRescalePending(bool on);
    // The next load of the current run runs the spike filter.
    bool spikeFilterArmed() const { return m_spikeFilterArmed; }
    void setSpikeFilterArmed(bool on);
    // Runs in the selection when they were last plotted; the graph re-plots when it differs.
    int fileCountAtPlot() const { return m_fileCountAtPlot; }
    void setFileCountAtPlot(int count);

    // The run strip's tabs: the file name of run r at index r - 1, as the last full plot named them
    // (a run the plot did not reach has an empty name).
    const QStringList& runStrip() const { return m_runStrip; }
    void setRunStrip(const QStringList& names);
    // Run r left the selection: its tab goes and the later tabs move up with their runs.
    void removeRunStripTab(int run);
    // "File_Index", the runs to reopen at the next start: the strip's tabs when the first one is
    // named (the runs were plotted), else 0.
    int fileIndex() const;

    const PlotExtents& plotExtents() const { return m_plotExtents; }
    void setPlotExtents(const PlotExtents& extents);

signals:
    void changed();

private:
    template <typename T> void update(T& member, const T& value);

    QString m_currentFile;
    double m_runCorrection = 1.0;
    double m_runTachRatio = 0.0;
    double m_runInertia = 0.0;
    int m_firstDataLine = 0;
    bool m_rescalePending = false;
    bool m_spikeFilterArmed = false;
    int m_fileCountAtPlot = 0;
    QStringList m_runStrip;
    PlotExtents m_plotExtents;
};

} // namespace tolvane
