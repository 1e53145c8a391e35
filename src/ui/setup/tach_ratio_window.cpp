#include "ui/setup/tach_ratio_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "core/acquisition/acquisition_session.h"
#include "core/acquisition/step_controller.h"
#include "core/common/prompter.h"
#include "core/setup/tach_ratio_rules.h"
#include "core/setup/test_setup.h"
#include "ui/setup/form_helpers.h"

namespace tolvane {

namespace {

const QString Instructions = QStringLiteral(
    "1. Measure the no-load ratio: in the test gear (usually top gear, not overdrive) pick an even "
    "thousand of rpm near 80 % of the redline. With the automatic load control off, run the engine "
    "to that rpm and press the matching function key (F8 for 8000). The screen tachometer then "
    "agrees with the reference tachometer.\n\n"
    "2. Measure the loaded ratio: with the load control on, run at full throttle to the target rpm, "
    "read the reference tachometer and enter that reading as the loaded rpm, then click \"Apply\".\n\n"
    "3. Click \"OK\" to keep the ratio, or \"Cancel\" to discard it.");

} // namespace

TTachF::TTachF(StepSession& session, Prompter& prompter, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_session(session), m_prompter(prompter), m_loaded(new QLineEdit(this)), m_ratio(new QLineEdit(this)),
      m_target(
          colouredEntry(this, QStringLiteral("Tachtrgt"), QStringLiteral("yellow"), QStringLiteral("black"))),
      m_apply(new QPushButton(QStringLiteral("Apply"), this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)),
      m_cancel(new QPushButton(QStringLiteral("Cancel"), this)), m_instructions(new QPlainTextEdit(this))
{
    setWindowTitle(QStringLiteral("Set Tachometer Ratio"));
    setObjectName(QStringLiteral("TTachF"));
    m_loaded->setObjectName(QStringLiteral("TachLoaded"));
    m_ratio->setObjectName(QStringLiteral("PrRatio"));
    m_apply->setObjectName(QStringLiteral("ApplyBtn"));
    m_ok->setObjectName(QStringLiteral("okbtn"));
    m_cancel->setObjectName(QStringLiteral("CancelBtn"));
    m_ratio->setReadOnly(true);
    m_instructions->setReadOnly(true);
    m_instructions->setPlainText(Instructions);
    m_instructions->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_instructions->setMinimumSize(440, 210);
    m_apply->setEnabled(false);
    m_ok->setEnabled(false);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Loaded rpm"), this), 0, 0);
    fields->addWidget(m_loaded, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("Tachometer Ratio"), this), 1, 0);
    fields->addWidget(m_ratio, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("Target rpm"), this), 2, 0);
    fields->addWidget(m_target, 2, 1);
    fields->addWidget(new QLabel(QStringLiteral("must be > 1900"), this), 2, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_apply);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_instructions);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(m_loaded, &QLineEdit::textChanged, this, &TTachF::PrRatioChange);
    connect(m_ratio, &QLineEdit::textChanged, this, &TTachF::PrRatioChange);
    connect(m_loaded, &QLineEdit::returnPressed, this, &TTachF::TachLoadedKeyDown);
    connect(m_target, &QLineEdit::textEdited, this, &TTachF::TachtrgtKeyUp);
    connect(m_apply, &QPushButton::clicked, this, &TTachF::ApplyBtnClick);
    connect(m_ok, &QPushButton::clicked, this, &TTachF::OKBtnClick);
    connect(m_cancel, &QPushButton::clicked, this, &TTachF::CancelBtnClick);
    // The function keys reach the window before any of its controls.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

float TTachF::ratioInUse() const
{
    // With no ratio yet the step controller takes the setup's on its next pass; so does this window.
    const float ratio = m_session.decoder().tachRatio();
    return ratio != 0.0f ? ratio : static_cast<float>(m_session.setup().tachRatioValue());
}

void TTachF::showRatio(float ratio)
{
    const QString text = TachRatioRules::ratioText(ratio, m_session.setup().locale().decimalSeparator);
    m_session.setup().setText(TestSetup::Text::TachRatio, text);
    m_ratio->setText(text);
    PrRatioChange();
}

void TTachF::FormShow()
{
    StepController& controller = m_session.controller();
    m_restoreRatio = ratioInUse();
    m_loaded->setText(QString::number(controller.target()));
    m_ratio->setText(TachRatioRules::ratioText(m_restoreRatio, m_session.setup().locale().decimalSeparator));
    m_apply->setEnabled(false);
    m_ok->setEnabled(false);
    const int target = TachRatioRules::measurementTarget(m_session.setup().value(TestSetup::Spin::RedLine));
    m_target->setText(QString::number(target));
    controller.setTargetRpm(target);
    controller.showOperatorStatus({TachRatioRules::openedText(controller.target()), StatusColour::Acquiring});
}

void TTachF::FormKeyDown(int functionKey)
{
    const std::optional<TachRatioRules::KeyRatio> key =
        TachRatioRules::functionKeyRatio(functionKey, m_session.decoder().frameRollerRpm());
    if (!key)
        return;
    StepController& controller = m_session.controller();
    m_session.decoder().setTachRatio(key->ratio);
    if (isVisible()) {
        m_restoreRatio = key->ratio;
    } else {
        show(); // FormShow: the new ratio becomes the one Cancel restores
        raise();
        activateWindow();
    }
    // The engine runs at the key's rpm: that is the target, not the measurement target the
    // opening offered.
    controller.setTargetRpm(key->target);
    const int target = controller.target();
    m_loaded->setText(QString::number(target));
    m_target->setText(QString::number(target));
    showRatio(key->ratio);
    emit applySetupRequested();
    controller.setTargetRpm(target);
    controller.showOperatorStatus({StepController::waitingText(target), StatusColour::Waiting});
}

void TTachF::ApplyBtnClick()
{
    const std::optional<int> loaded = TachRatioRules::loadedRpm(m_loaded->text());
    if (!loaded)
        return; // Apply waits for a reading
    if (TachRatioRules::isTooHigh(*loaded)) {
        m_prompter.inform(windowTitle(), TachRatioRules::TooHighText, PromptIcon::Warning);
        return;
    }
    StepController& controller = m_session.controller();
    const float ratio = TachRatioRules::loadedRatio(ratioInUse(), controller.target(), *loaded);
    m_session.decoder().setTachRatio(ratio);
    showRatio(ratio);
    m_apply->setEnabled(false);
    if (const std::optional<int> target = TachRatioRules::typedTarget(m_target->text()))
        controller.setTargetRpm(*target);
    controller.showOperatorStatus(
        {TachRatioRules::loadedText(controller.target()), controller.status().colour});
}

void TTachF::OKBtnClick()
{
    RecordMemo& memo = m_session.memo();
    if (!memo.isEmpty() && !memo.lines().constFirst().isEmpty()) {
        if (m_prompter.ask({EraseTitle, EraseText, PromptIcon::Question, PromptButtons::YesNo}) ==
            PromptAnswer::Yes)
            memo.clear();
    }
    emit applySetupRequested();
    m_session.controller().selectTarget(0);
    close();
    restartTest();
}

void TTachF::CancelBtnClick()
{
    m_session.decoder().setTachRatio(m_restoreRatio);
    m_session.setup().setText(
        TestSetup::Text::TachRatio,
        TachRatioRules::ratioText(m_restoreRatio, m_session.setup().locale().decimalSeparator));
    close();
    restartTest();
}

void TTachF::restartTest()
{
    if (m_session.controller().restart() == RecordedDataChoice::Save)
        emit saveRequested();
}

void TTachF::PrRatioChange()
{
    const bool reading = TachRatioRules::loadedRpm(m_loaded->text()).has_value();
    m_apply->setEnabled(reading);
    m_ok->setEnabled(reading);
}

void TTachF::TachtrgtKeyUp()
{
    const std::optional<int> target = TachRatioRules::typedTarget(m_target->text());
    if (!target)
        return;
    StepController& controller = m_session.controller();
    controller.setTargetRpm(*target);
    controller.showOperatorStatus(
        {TachRatioRules::typedTargetText(controller.target()), StatusColour::Acquiring});
}

void TTachF::TachLoadedKeyDown()
{
    if (m_apply->isEnabled())
        ApplyBtnClick();
    else if (m_ok->isEnabled())
        OKBtnClick();
}

void TTachF::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    centreOnFirstShow(*this, m_placed);
    m_session.controller().setTachWindowShowing(true);
    FormShow();
}

void TTachF::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        m_session.controller().setTachWindowShowing(false);
}

int TTachF::functionKeyOf(const QKeyEvent& event)
{
    const int key = event.key();
    return key >= Qt::Key_F1 && key <= Qt::Key_F12 ? key - Qt::Key_F1 + 1 : 0;
}

void TTachF::keyPressEvent(QKeyEvent* event)
{
    if (const int n = functionKeyOf(*event)) {
        FormKeyDown(n);
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TTachF::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        if (const int n = functionKeyOf(*static_cast<QKeyEvent*>(event))) {
            FormKeyDown(n);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tolvane
