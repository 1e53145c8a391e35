#include "ui/analysis/recalc_value_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/analysis/viewer_text.h"
#include "core/common/number_text.h"
#include "core/common/prompter.h"

namespace tolvane {

namespace {

// The slider counts thousandths of the value.
constexpr double SliderScale = 0.001;

} // namespace

RecalcValueDialog::RecalcValueDialog(RecalcContext& context, const QString& caption,
                                     const QString& valueLabel, SliderRange range, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), m_context(context)
{
    setWindowTitle(caption);
    setModal(false);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("File Name:"), this), 0, 0);
    m_fileName = new QLabel(this);
    m_fileName->setObjectName(QStringLiteral("F_Name"));
    m_fileName->setMinimumWidth(260);
    fields->addWidget(m_fileName, 0, 1);
    fields->addWidget(new QLabel(valueLabel, this), 1, 0);
    m_value = new QLineEdit(this);
    m_value->setObjectName(QStringLiteral("NewValu"));
    fields->addWidget(m_value, 1, 1);

    m_slider = new QScrollBar(Qt::Horizontal, this);
    m_slider->setObjectName(QStringLiteral("ScrollBar1"));
    m_slider->setRange(range.minimum, range.maximum);
    m_slider->setSingleStep(range.singleStep);
    m_slider->setPageStep(range.pageStep);

    m_buttons = new QHBoxLayout;
    m_apply = new QPushButton(QStringLiteral("Apply"), this);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_buttons->addWidget(m_apply);
    m_buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_slider);
    layout->addLayout(m_buttons);

    connect(m_slider, &QScrollBar::valueChanged, this, &RecalcValueDialog::sliderMoved);
    connect(m_value, &QLineEdit::textChanged, this, &RecalcValueDialog::previewText);
    connect(m_apply, &QPushButton::clicked, this, &RecalcValueDialog::applyValue);
    // Cancel leaves the preview curves until the next preview or refresh.
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::hide);
}

void RecalcValueDialog::showFileName()
{
    m_fileName->setText(m_context.text.storedPath());
}

void RecalcValueDialog::showValueText(const QString& text)
{
    {
        const QSignalBlocker quiet(m_value);
        m_value->setText(text);
    }
    previewText(text);
}

void RecalcValueDialog::setSliderQuietly(int position)
{
    const QSignalBlocker quiet(m_slider);
    m_slider->setValue(position);
}

void RecalcValueDialog::sliderMoved(int position)
{
    m_value->setText(formatNumber(position * SliderScale, u"0.0000", m_context.locale));
}

void RecalcValueDialog::previewText(const QString& text)
{
    // A value still being typed ("", "-", "1.") is simply not previewed yet.
    if (const std::optional<double> value = parseFloat(text.trimmed(), m_context.locale)) {
        if (preview(*value))
            emit previewDrawn();
    }
}

void RecalcValueDialog::applyValue()
{
    const std::optional<double> value = parseFloat(m_value->text().trimmed(), m_context.locale);
    if (!value) {
        m_context.prompter.inform(
            windowTitle(), QStringLiteral("'%1' is not a valid floating point value.").arg(m_value->text()),
            PromptIcon::Error);
        return;
    }
    hide();
    save(*value);
}

} // namespace tolvane
