#include "ui/analysis/chg_inertia_dialog.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "core/analysis/inertia_tool.h"
#include "core/analysis/viewer_state.h"
#include "core/common/number_text.h"

namespace tolvane {

TChg_IF::TChg_IF(RecalcContext& context, QWidget* parent)
    : RecalcValueDialog(context, QStringLiteral("Adjust Inertia Value"), QStringLiteral("Inertia:"),
                        SliderRange{-1000, 20000, 10, 20}, parent)
{
    m_evenInc = new QPushButton(QStringLiteral("Even Inc."), this);
    m_buttons->addWidget(m_evenInc);
    connect(m_evenInc, &QPushButton::clicked, this, &TChg_IF::evenIncRequested);
}

void TChg_IF::showForCurrentRun()
{
    showFileName();
    show();
    const double inertia = m_context.viewer.runInertia();
    setSliderQuietly(static_cast<int>(roundHalfEven(inertia * 1000.0)));
    showValueText(formatNumber(inertia, u"0.0000", m_context.locale));
}

bool TChg_IF::preview(double value)
{
    return ShowNewInertia(m_context, value);
}

bool TChg_IF::save(double value)
{
    return SaveNewInertia(m_context, value);
}

} // namespace tolvane
