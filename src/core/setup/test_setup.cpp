#include "core/setup/test_setup.h"

#include <algorithm>

#include "core/common/number_text.h"
#include "core/setup/unit_settings.h"

namespace tolvane {

namespace {

struct SpinSpec {
    int minimum;
    int maximum;
    int initial;
};

// In the order of TestSetup::Spin.
constexpr std::array<SpinSpec, 14> SpinSpecs{{
    {500, 25000, 3000},    // MnRpm
    {1000, 25000, 12000},  // RedLine
    {-10000, 10000, 1000}, // AutoInc
    {1, 50, 20},           // WWRider
    {500, 25000, 4000},    // AutoDecell (its minimum moves, see minimumOf)
    {125, 25000, 7000},    // WarmTo
    {1, 50, 25},           // DrgCo
    {1, 200, 17},          // Mxfpss
    {1, 200, 17},          // MxLbss
    {0, 1000, 8},          // MnHP
    {2, 200, 4},           // MnSec
    {0, 31, 16},           // AMFSB
    {1, 20, 3},            // FDFSB
    {1, 99, 1},            // SmpDly
}};

} // namespace

TestSetup::TestSetup(UnitSettings& units, Prompter& prompter, TextLocale locale, QObject* parent)
    : QObject(parent), m_units(units), m_prompter(prompter), m_locale(std::move(locale))
{
    for (std::size_t k = 0; k < SpinSpecs.size(); ++k)
        m_values[k] = SpinSpecs[k].initial;
    m_checks[index(Check::AutoInccb)] = true;
    m_checks[index(Check::AutoDecellcb)] = true;
    m_checks[index(Check::DefDecEn)] = true;
    m_checks[index(Check::PCIEn)] = true;
    m_texts[index(Text::TachRatio)] = QStringLiteral("3.1250");
    m_texts[index(Text::InertiaE)] = QStringLiteral("3.5000");
    m_texts[index(Text::Baddr)] = QStringLiteral("61312");
}

int TestSetup::minimumOf(Spin spin) const
{
    return spin == Spin::AutoDecell ? m_autoDecellMinimum : SpinSpecs[index(spin)].minimum;
}

TestSetup::Range TestSetup::range(Spin spin) const
{
    return {minimumOf(spin), SpinSpecs[index(spin)].maximum};
}

void TestSetup::setValue(Spin spin, int value)
{
    const Range r = range(spin);
    value = std::clamp(value, r.minimum, std::max(r.minimum, r.maximum));
    int& current = m_values[index(spin)];
    if (value == current)
        return;
    current = value;
    emit valueChanged(spin);
    switch (spin) {
    case Spin::MnRpm:
        MnRpmChange();
        break;
    case Spin::RedLine:
    case Spin::AutoInc:
        DefaultBClick();
        break;
    case Spin::AutoDecell:
        AutoDecellChange();
        break;
    case Spin::Mxfpss:
        setValue(Spin::MxLbss, value);
        break;
    case Spin::SmpDly:
        m_units.setEgaDelay(value);
        break;
    default:
        break;
    }
}

void TestSetup::setChecked(Check check, bool checked)
{
    bool& current = m_checks[index(check)];
    if (checked == current)
        return;
    current = checked;
    emit checkedChanged(check);
    switch (check) {
    case Check::AutoInccb:
        if (checked)
            setChecked(Check::AutoDecellcb, true);
        break;
    case Check::AutoDecellcb:
        if (!checked)
            setChecked(Check::AutoInccb, false);
        break;
    case Check::DefDecEn:
        DefDecEnClick();
        break;
    case Check::EgaEnabled:
    case Check::PCIEn:
        emit enabledChanged();
        break;
    case Check::USBenable:
        m_units.setUsbBlackBox(checked);
        break;
    default:
        break;
    }
}

void TestSetup::setText(Text field, const QString& text)
{
    QString& current = m_texts[index(field)];
    if (text == current)
        return;
    current = text;
    emit textChanged(field);
}

double TestSetup::tachRatioValue() const
{
    return parseFloat(text(Text::TachRatio), m_locale).value_or(0.0);
}

double TestSetup::inertiaValue() const
{
    return parseFloat(text(Text::InertiaE), m_locale).value_or(0.0);
}

QString TestSetup::AMFSBCaption() const
{
    return QStringLiteral(" Acceleration multiplication = ") + QString::number(value(Spin::AMFSB));
}

QString TestSetup::FDFSBCaption() const
{
    return QStringLiteral(" Feedback divider = ") + QString::number(value(Spin::FDFSB));
}

int TestSetup::defaultDecelRpm() const
{
    return std::min((value(Spin::MnRpm) / 1000) * 1000 + 1000, SpinSpecs[index(Spin::AutoDecell)].maximum);
}

void TestSetup::MnRpmChange()
{
    m_autoDecellMinimum = defaultDecelRpm();
    setValue(Spin::AutoDecell, defaultDecelRpm());
    setChecked(Check::DefDecEn, true);
    DefaultBClick();
}

void TestSetup::AutoDecellChange()
{
    m_autoDecellMinimum = value(Spin::MnRpm);
}

void TestSetup::DefDecEnClick()
{
    if (isChecked(Check::DefDecEn)) {
        m_autoDecellMinimum = defaultDecelRpm();
        setValue(Spin::AutoDecell, defaultDecelRpm());
    }
    emit enabledChanged();
}

void TestSetup::TstTypRClick(TestType type)
{
    m_testType = type;
    m_throttlePanelEnabled = false;
    if (type == TestType::QuickSweep) {
        setText(Text::InertiaE, formatNumber(m_units.inertiaFactor(), u"0.000", m_locale));
        setValue(Spin::WWRider, 25);
    }
    emit testTypeChanged();
    emit enabledChanged();
    DefaultBClick();
}

void TestSetup::setScript(const QStringList& lines)
{
    if (lines == m_script)
        return;
    m_script = lines;
    emit scriptChanged();
}

void TestSetup::BitBtn2Click()
{
    setScript({});
}

void TestSetup::DefaultBClick()
{
    if (m_batchDepth > 0) {
        m_scriptDue = true;
        return;
    }
    QList<ThrottlePosition> sections;
    if (m_testType == TestType::RoadLoad) {
        for (ThrottlePosition position : allThrottlePositions())
            if (isThrottleChecked(position))
                sections.append(position);
    }
    const GeneratedScript generated =
        generateDefaultScript({value(Spin::MnRpm), value(Spin::RedLine), value(Spin::AutoInc)}, sections);
    switch (generated.outcome) {
    case ScriptOutcome::Unchanged:
        break;
    case ScriptOutcome::Generated:
        setScript(generated.lines);
        break;
    case ScriptOutcome::TooManySteps:
        m_prompter.inform(QStringLiteral("Warning"), tooManyStepsText(), PromptIcon::Warning);
        setScript({});
        break;
    }
}

bool TestSetup::isThrottleChecked(ThrottlePosition position) const
{
    return m_throttles[index(position)];
}

void TestSetup::setThrottleChecked(ThrottlePosition position, bool checked)
{
    m_throttles[index(position)] = checked;
    emit throttleChanged();
    DefaultBClick();
}

void TestSetup::setNotes(const QStringList& notes)
{
    if (notes == m_notes)
        return;
    m_notes = notes;
    emit notesChanged();
}

void TestSetup::FormShow()
{
    m_egaAvailable = m_units.egaComPort() != 0;
    if (m_egaAvailable)
        setValue(Spin::SmpDly, m_units.egaDelay());
    else
        setChecked(Check::EgaEnabled, false);
    emit enabledChanged();
}

bool TestSetup::InertiaEExit()
{
    const auto inertia = parseFloat(text(Text::InertiaE), m_locale);
    if (inertia && *inertia > 0.0)
        return true;
    m_prompter.ask(
        {QStringLiteral("Warning"),
         QStringLiteral("You are trying to enter an invalid inertia value, value must be greater then 0, "
                        "2.5 is the default."),
         PromptIcon::Warning, PromptButtons::Retry});
    setText(Text::InertiaE, QStringLiteral("2.5000"));
    return false;
}

TestSetup::Batch::Batch(TestSetup& setup) : m_setup(setup)
{
    ++m_setup.m_batchDepth;
}

TestSetup::Batch::~Batch()
{
    if (--m_setup.m_batchDepth == 0 && m_setup.m_scriptDue) {
        m_setup.m_scriptDue = false;
        m_setup.DefaultBClick();
    }
}

} // namespace tolvane
