#pragma once
// GaugePalette: the toolkit colours the live gauges draw with, taken once from their names.
#include <QColor>
#include <QRgb>
#include <QString>

#include "platform/chart/toolkit_colors.h"

namespace tolvane {

struct GaugePalette {
    QRgb black = named("clBlack");
    QRgb aqua = named("clAqua");
    QRgb yellow = named("clYellow");
    QRgb green = named("clGreen");
    QRgb red = named("clRed");
    QRgb silver = named("clSilver");

private:
    static QRgb named(const char* name)
    {
        return colorFromName(QLatin1String(name)).value_or(Qt::black).rgb();
    }
};

} // namespace tolvane
