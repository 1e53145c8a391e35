#pragma once
// The graph's axis titles. The graph window writes both titles from the x quantity and the curve
// switches (WriteAxis); the main window's x-quantity and correction switches set a title of their
// own on the way, which the next WriteAxis replaces.
#include <QString>

#include "core/common/text_locale.h"

namespace tolvane {

class UnitSettings;

struct AxisTitles {
    QString x;
    QString y;
    bool operator==(const AxisTitles&) const = default;
};

// WriteAxis: x is the road-speed label in MPH mode, else the engine-speed label; y names the
// curves switched on: power, torque, then "CO%/Acc" ("CO%" alone when only it is on).
AxisTitles writeAxisTitles(bool mph, bool hp, bool torque, bool co, const UnitSettings& units);

// The graph window's caption while the mouse moves over the chart: the chart values under the
// mouse with the axis titles, "     12.3 BHP   @   4500.0 RPM".
QString mouseReadout(double x, double y, const AxisTitles& titles, const TextLocale& locale);

// A unit label up to its first tab (the whole label when it has none).
QString labelBeforeTab(const QString& label);

// The x title the main window's "RPM" switch sets. The x values are full engine rpm.
QString engineSpeedSwitchTitle(const QString& engineSpeedUnit);
// The x title the main window's "MPH" switch sets: "Roller " and the road-speed label.
QString roadSpeedSwitchTitle(const QString& roadSpeedUnit);
// The y title the "Corrected" / "Uncorrected" switches set.
QString correctionSwitchTitle(bool corrected);

} // namespace tolvane
