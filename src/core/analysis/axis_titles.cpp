#include "core/analysis/axis_titles.h"

namespace tolvane {

AxisTitles writeAxisTitles(bool mph, bool hp, bool torque, bool co, const AxisTitleLabels& labels)
{
    AxisTitles titles;
    titles.x = mph ? labels.roadSpeed : labels.engineSpeed;
    if (!hp && !torque) {
        titles.y = co ? QStringLiteral("CO%") : QString();
        return titles;
    }
    if (hp)
        titles.y = labels.power;
    if (torque)
        titles.y += (hp ? QStringLiteral(", ") : QString()) + labels.force;
    if (co)
        titles.y += QStringLiteral(", CO%/Acc");
    return titles;
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
