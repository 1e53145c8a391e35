#include "ui/acquisition/step_panels.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/acquisition/live_display.h"
#include "core/common/number_text.h"
#include "core/setup/unit_settings.h"
#include "platform/chart/toolkit_colors.h"

namespace tolvane {

QLabel* liveLabel(QWidget* parent, const char* name, const QString& text, int pixels, const char* colourName,
                  bool bold)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    QFont font = l->font();
    font.setPixelSize(pixels);
    font.setBold(bold);
    l->setFont(font);
    const QColor colour = colorFromName(QLatin1String(colourName)).value_or(QColor(Qt::white));
    l->setStyleSheet(QStringLiteral("color: %1;").arg(colour.name()));
    return l;
}

StepPanels::StepPanels(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto panel = [&](QLabel*& caption, QLabel*& value, const char* captionName, const char* valueName,
                           int pixels, const char* colourName, int stretch) {
        auto* frame = new QFrame(this);
        auto* inner = new QVBoxLayout(frame);
        inner->setContentsMargins(6, 0, 6, 0);
        inner->setSpacing(0);
        caption = liveLabel(frame, captionName, QString(), 15, "clSilver", true);
        value = liveLabel(frame, valueName, QStringLiteral("0.0"), pixels, colourName, true);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        inner->addWidget(caption);
        inner->addWidget(value, 1);
        layout->addWidget(frame, stretch);
        return frame;
    };
    panel(m_saeCaption, m_sae, "user_dis1Label", "user_dis1", 40, "clAqua", 2);
    panel(m_mphCaption, m_mphl, "mphLabel", "mphl", 64, "clLime", 3);
    panel(m_noxCaption, m_nox, "user_dis2Label", "user_dis2", 40, "clAqua", 2);
    m_nox->clear();
    panel(m_tqCaption, m_tql, "TqLabel", "Tql", 64, "clYellow", 3);
    m_hpPanel = panel(m_hpCaption, m_hpl, "HpLabel", "Hpl", 88, "clRed", 4);
    m_hpPanel->setObjectName(QStringLiteral("HpPanel"));
    m_hpPanel->setAutoFillBackground(true);
    m_warmStatus = liveLabel(m_hpPanel, "Warm_Status", QString(), 18, "clFuchsia", true);
    static_cast<QVBoxLayout*>(m_hpPanel->layout())->insertWidget(1, m_warmStatus, 0, Qt::AlignLeft);
}

void StepPanels::takeUnits(const UnitSettings& units)
{
    m_mphCaption->setText(units.roadSpeedUnit());
    m_tqCaption->setText(units.forceUnit());
    m_hpCaption->setText(units.powerUnitLabel());
    m_saeCaption->setText(QStringLiteral("SAE"));
    m_noxCaption->setText(QStringLiteral("NOx"));
}

void StepPanels::setTexts(const QString& speed, const QString& torque, const QString& power)
{
    m_mphl->setText(speed);
    m_tql->setText(torque);
    m_hpl->setText(power);
}

void StepPanels::showValues(const DisplayedValues& values, const TextLocale& locale)
{
    m_mphl->setText(formatNumber(values.roadSpeed, u"0.0", locale));
    m_hpl->setText(formatNumber(values.power, u"0.0", locale));
    m_tql->setText(formatNumber(values.engineTorque, u"0.0", locale));
    m_sae->setText(formatNumber(values.correctionPercent, u"0.0", locale) + QLatin1Char('%'));
}

void StepPanels::setWarmUpCaption(const QString& caption)
{
    if (m_warmStatus->text() != caption)
        m_warmStatus->setText(caption);
}

void StepPanels::setPowerTeal(bool teal)
{
    if (teal == m_teal)
        return;
    m_teal = teal;
    QPalette palette = m_hpPanel->palette();
    palette.setColor(QPalette::Window, teal ? colorFromName(QStringLiteral("clTeal")).value_or(Qt::darkCyan)
                                            : QColor(Qt::black));
    m_hpPanel->setPalette(palette);
}

} // namespace tolvane
