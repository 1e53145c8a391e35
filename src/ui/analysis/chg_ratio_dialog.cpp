#include "ui/analysis/chg_ratio_dialog.h"

#include "core/analysis/ratio_tool.h"
#include "core/common/number_text.h"

namespace tolvane {

TChg_Ratio::TChg_Ratio(RecalcContext& context, QWidget* parent)
    : RecalcValueDialog(context, QStringLiteral("Adjust Tach Ratio"), QStringLiteral("Ratio:"),
                        SliderRange{-1000, 6000, 1, 20}, parent)
{
}

void TChg_Ratio::showForCurrentRun()
{
    showFileName();
    show();
    showValueText(formatNumber(StartTachRatio, u"0.0000", m_context.locale));
}

bool TChg_Ratio::preview(double value)
{
    return ShowNewRatio(m_context, value);
}

bool TChg_Ratio::save(double value)
{
    return SaveNewRatio(m_context, value);
}

} // namespace tolvane
