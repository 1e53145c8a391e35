#include "core/analysis/axis_titles.h"

#include "core/common/number_text.h"
#include "core/setup/unit_settings.h"

namespace tolvane {

AxisTitles writeAxisTitles(bool mph, bool hp, bool torque, bool co, const UnitSettings& units)
{
    AxisTitles titles;
    titles.x = mph ? units.roadSpeedUnit() : units.engineSpeedUnit();
    if (!hp && !torque) {
        titles.y = co ? QStringLiteral("CO%") : QString();
        return titles;
    }
    if (hp)
        titles.y = units.powerUnitLabel();
    if (torque)
        titles.y += (hp ? QStringLiteral(", ") : QString()) + units.forceUnit();
    if (co)
        titles.y += QStringLiteral(", CO%/Acc");
    return titles;
}

QString mouseReadout(double x, double y, const AxisTitles& titles, const TextLocale& locale)
{
    return QStringLiteral("     ") + formatNumber(y, u"0.0", locale) + QLatin1Char(' ') + titles.y +
           QStringLiteral("   @   ") + formatNumber(x, u"0.0", locale) + QLatin1Char(' ') + titles.x;
}

QString labelBeforeTab(const QString& label)
{
    const qsizetype tab = label.indexOf(QLatin1Char('\t'));
    return tab < 0 ? label : label.left(tab);
}

QString engineSpeedSwitchTitle(const QString& engineSpeedUnit)
{
    return labelBeforeTab(engineSpeedUnit);
}

QString roadSpeedSwitchTitle(const QString& roadSpeedUnit)
{
    return QStringLiteral("Roller ") + labelBeforeTab(roadSpeedUnit);
}

QString correctionSwitchTitle(bool corrected)
{
    return corrected ? QStringLiteral("(SAE  Corrected)") : QStringLiteral("(UnCorrected)");
}

} // namespace tolvane
