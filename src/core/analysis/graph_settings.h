#pragma once
// How the graphs show the runs: the x quantity, which curves, corrected or not, the line display
// mode with its point tolerance, the averaging of test phases, the print-time point markers and
// the chart's background colour. Shared by the main window's Graph menu, the graph window's
// context menu (its twins), printing and the plotting.
#include <QObject>
#include <QString>

#include "core/analysis/run_loader.h"

namespace tolvane {

class GraphSettings : public QObject {
    Q_OBJECT
public:
    // The items of "Line display mode"; none is chosen at start.
    enum class LineDisplayMode {
        NotChosen,
        ShowHighest,
        ShowAll,
        Tolerance3,
        Tolerance2,
        Tolerance1,
        Tolerance05,
        Tolerance01
    };
    Q_ENUM(LineDisplayMode)

    static constexpr int EngineSpeedAxis = 0;
    static constexpr int RoadSpeedAxis = 1;

    explicit GraphSettings(QObject* parent = nullptr) : QObject(parent) {}

    // The run-table column on the x axis: 0 engine speed, 1 road speed.
    int xAxisColumn() const { return m_xAxisColumn; }
    void setXAxisColumn(int column);

    bool showPower() const { return m_showPower; }   // "HP"
    bool showTorque() const { return m_showTorque; } // "Torque"
    bool showCo() const { return m_showCo; }         // "CO%" / "CO% / Acc"
    void setShowPower(bool on);
    void setShowTorque(bool on);
    void setShowCo(bool on);

    // "Corrected" checked; "Uncorrected" is its opposite (exactly one of the two is checked).
    bool corrected() const { return m_corrected; }
    void setCorrected(bool on);

    bool gridLines() const { return m_gridLines; }
    void setGridLines(bool on);

    LineDisplayMode lineDisplayMode() const { return m_lineDisplayMode; }
    // Choosing a mode also sets the point tolerance it stands for.
    void setLineDisplayMode(LineDisplayMode mode);
    static double toleranceOf(LineDisplayMode mode);
    bool showHighest() const { return m_lineDisplayMode == LineDisplayMode::ShowHighest; }
    // x distance within which a new point of a run curve replaces an old one.
    double pointTolerance() const { return m_pointTolerance; }

    bool averageTestPhases() const { return m_averageTestPhases; }
    void setAverageTestPhases(bool on);

    // The Print Graph dialog's choices; point markers also show on screen while set.
    bool printPoints() const { return m_printPoints; }
    void setPrintPoints(bool on);
    bool printMono() const { return m_printMono; }
    void setPrintMono(bool on);

    QString backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(const QString& colorName);

    // The loaders' part of these settings.
    RunLoadSettings loadSettings(QChar decimalSeparator) const;

    // Everything the plotted values depend on: axes fitted to the curves of one basis no longer
    // fit those of another (road speed instead of engine speed, uncorrected values, other curves).
    struct PlotBasis {
        int xAxisColumn = EngineSpeedAxis;
        bool corrected = true;
        bool showPower = true;
        bool showTorque = true;
        bool showCo = true;
        bool averageTestPhases = false;
        LineDisplayMode lineDisplayMode = LineDisplayMode::NotChosen;
        bool operator==(const PlotBasis&) const = default;
    };
    PlotBasis plotBasis() const;

signals:
    void changed();

private:
    template <typename T> void update(T& member, const T& value);

    int m_xAxisColumn = EngineSpeedAxis;
    bool m_showPower = true;
    bool m_showTorque = true;
    bool m_showCo = true;
    bool m_corrected = true;
    bool m_gridLines = true;
    LineDisplayMode m_lineDisplayMode = LineDisplayMode::NotChosen;
    double m_pointTolerance = 0.001;
    bool m_averageTestPhases = false;
    bool m_printPoints = false;
    bool m_printMono = false;
    QString m_backgroundColor = QStringLiteral("clBlack");
};

} // namespace tolvane
