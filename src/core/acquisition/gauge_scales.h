#pragma once
// The arithmetic of the live gauges, apart from their drawing: the rows and trace widths of the
// step window's load gauge, the base, pointer position and trail of its scrolling tachometer, and
// the marks, labels and needle angles of the sweep window's round dials. Angles are in radians
// with y pointing down, so they grow clockwise on the screen: 3π/4 is the lower left, π the left,
// 3π/2 the top and 9π/4 the lower right.
#include <QChar>
#include <QString>

#include <array>
#include <numbers>
#include <vector>

namespace tolvane {

// ---- Load gauge ----------------------------------------------------------------------------

// The limit marks stand this many pixels from the centre per unit of "Max fps/s:" and "Max Lbs/s:".
inline constexpr int LoadGaugeMarkScale = 8;

// The next drawing row: one down, and back to row 0 after the strip height, so a 16-pixel strip
// draws rows 0 to 16 in turn. A row outside the range (after a change of height) starts again at 0.
int loadGaugeNextRow(int row, int height);

// Half the length of a trace line: the value rounded (halves to even), as a distance either side
// of the centre, held at `limit` so a wild rate on the first sample still makes a drawable line.
int loadGaugeHalfWidth(float value, int limit);

// ---- Scrolling tachometer ------------------------------------------------------------------

// The pointer's x on a strip `width` pixels wide whose 2000-rpm window is centred on `base`
// thousand rpm: round((E / 1000 - (base - 1)) x width / 2), halves to even.
int tachometerX(double engineRpm, int base, int width);
// Whether E / 1000 lies within base - 1 ... base + 1.
bool tachometerInWindow(double engineRpm, int base);
// The base a re-centring picks: round(E / 1000), halves to even.
int tachometerBase(double engineRpm);
// The three scale labels for a base: base - 0.5, base and base + 0.5, each "0.0 ".
std::array<QString, 3> tachometerLabels(int base, QChar decimalSeparator);
// Where the labels and the long scale lines stand: a quarter, a half and three quarters of the
// width, rounded as the pointer is, so the pointer of E = base x 1000 sits on the centre line.
std::array<int, 3> tachometerLabelXs(int width);

class TachometerScale {
public:
    static constexpr int TrailLength = 19;
    using Trail = std::array<int, TrailLength>;

    struct Placement {
        int x = 0;              // the pointer, within 0..width
        bool recentred = false; // the strip is to be cleared and its labels drawn for base()
    };

    // One sample on a strip `width` pixels wide: the pointer's x, re-centring the scale first
    // when E lies outside the window (or no scale has been drawn yet); the trail then takes x,
    // newest at entry 0. A speed that is not a number is shown as 0.
    Placement place(double engineRpm, int width);
    // After a resize nothing of the old scale is left: the next sample re-centres.
    void recentreNext() { m_centred = false; }

    int base() const { return m_base; }
    const Trail& trail() const { return m_trail; }

private:
    int m_base = 0;
    Trail m_trail{};
    bool m_centred = false;
};

// ---- Round dials -------------------------------------------------------------------------

inline constexpr double DialStartAngle = 3.0 * std::numbers::pi / 4.0;  // lower left
inline constexpr double DialSweepAngle = 3.0 * std::numbers::pi / 2.0;  // a 270° arc
inline constexpr double DialEndAngle = DialStartAngle + DialSweepAngle; // lower right, 9π/4

// The redline the engine-speed dial is scaled for is held within these bounds: the arc is spread
// over 1000 + redline rpm, so a redline of 0 would leave no scale at all and a huge one a
// needless forest of marks.
inline constexpr int DialRedlineMin = 1000;
inline constexpr int DialRedlineMax = 100000;
int dialRedline(int redline);

enum class DialTone {
    Plain, // aqua label on a silver mark
    Red,   // the redline
    Green, // the start speed (engine dial), zero power (power dial)
};

struct DialMark {
    double angle = 0.0;
    bool major = false; // a labelled mark
    int value = 0;      // rpm on the engine dial, power on the power dial
    QString label;      // empty on the minor marks
    DialTone tone = DialTone::Plain;
};

// Engine-speed dial: a mark every 200 rpm from 1000 rpm at the start of the arc to its end,
// 1000 + redline; every 1000 rpm a major mark labelled in thousands. A mark at the redline is
// red, one at the start speed green.
std::vector<DialMark> rpmDialMarks(int redline, int minRpm);
// Power dial: major marks every π/4 from 3π/4 while the angle is below 9π/4, labelled
// round((angle / π - 1) x 200), so -50 to 200; ten minor marks between neighbouring labels; the
// mark of 0 power (at π) green.
std::vector<DialMark> powerDialMarks();

// (E - 1000) x 3π/2 / redline + 3π/4; a speed that is not a number points at 0 rpm.
double rpmNeedleAngle(double engineRpm, int redline);
// power x π/200 + π: 0 points left, 100 up, 200 right; a power that is not a number points at 0.
double powerNeedleAngle(double power);

} // namespace tolvane
