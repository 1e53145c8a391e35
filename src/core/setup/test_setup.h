#pragma once
// The test setup (the setup window TSetupF's values): the live settings that the step-test and
// sweep-test windows read while a test runs and that every saved file copies into its header.
// Values keep the controls' limits (a value set outside them is clamped) and the controls' change
// rules run whenever a value changes, whoever changed it, as the operator expects from the window.
// The tach ratio and the inertia stay text, as typed.
//
// The setup shares the main window's unit settings: it reads the gas-analyzer port and the inertia
// factor there, and its sample delay and "USB Black Box" switch write the gas-analyzer delay and
// the USB switch there on every change.
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>

#include "core/common/prompter.h"
#include "core/common/text_locale.h"
#include "core/setup/step_script.h"
#include "core/setup/test_type.h"

namespace tolvane {

class UnitSettings;

class TestSetup : public QObject {
    Q_OBJECT
public:
    // Integer controls (spin edits and track bars).
    enum class Spin {
        MnRpm,      // "Start RPM:"
        RedLine,    // "End RPM:"
        AutoInc,    // step increment
        WWRider,    // "Acceleration:" of sweep tests
        AutoDecell, // auto-deceleration rpm
        WarmTo,     // warm-up rpm
        DrgCo,      // "Hold while fps/s <:"
        Mxfpss,     // "Max fps/s"
        MxLbss,     // load-stability threshold
        MnHP,       // "Lowest Hp"
        MnSec,      // "Required samples"
        AMFSB,      // acceleration multiplication
        FDFSB,      // feedback divider
        SmpDly,     // gas-analyzer "Sample Delay"
    };
    Q_ENUM(Spin)
    enum class Check {
        AutoInccb,    // "Auto increment:"
        AutoDecellcb, // "Auto Decel:"
        DefDecEn,     // "Use default value" for the auto-deceleration rpm
        WarmToCb,     // "Warm up to:"
        EgaEnabled,   // "Enable EGA"
        USBenable,    // "USB Black Box"
        ISAenable,    // " ISA Analog Out" (kept by the DAQ calibration, never operable here)
        PCIEn,        // "PCI Base Addr."
        CheckBox1,    // "Display output"
    };
    Q_ENUM(Check)
    enum class Text {
        TachRatio, // "Tachometer Ratio:"
        InertiaE,  // "Rotating mass value."
        Baddr,     // PCI base address
        Caption,   // the window caption: the path of the test the setup came from
        NFName,    // the new test's file name
        RootDirL,  // the library root
        MnL,       // make folder, with a leading blank
        YMdL,      // model folder
        NmL,       // owner folder (shown by the step-test window)
        ExtraL,    // extra folder
        TempP,     // the reference test's full path (the reference panel's hint)
        TemPath,   // the reference test's file name
    };
    Q_ENUM(Text)

    struct Range {
        int minimum = 0;
        int maximum = 0;
    };

    TestSetup(UnitSettings& units, Prompter& prompter, TextLocale locale, QObject* parent = nullptr);

    const TextLocale& locale() const { return m_locale; }

    int value(Spin spin) const { return m_values[index(spin)]; }
    Range range(Spin spin) const;
    // Clamps into the range, then runs the control's change rule when the value changed.
    void setValue(Spin spin, int value);

    bool isChecked(Check check) const { return m_checks[index(check)]; }
    // Runs the box's click rule when its state changed.
    void setChecked(Check check, bool checked);

    const QString& text(Text field) const { return m_texts[index(field)]; }
    void setText(Text field, const QString& text);

    // The texts as the test windows take them: the ratio and the inertia as numbers (0 when the
    // text is not one), the ratio label ("3.1250:1") and the sweep's target acceleration
    // (WWRider × 0.001).
    double tachRatioValue() const;
    double inertiaValue() const;
    QString tachRatioLabel() const { return text(Text::TachRatio) + QStringLiteral(":1"); }
    double targetAcceleration() const { return value(Spin::WWRider) * 0.001; }

    // Enabled states that follow from other values.
    bool autoDecellEnabled() const { return !isChecked(Check::DefDecEn); }
    bool smpDlyEnabled() const { return isChecked(Check::EgaEnabled); }
    bool egaAvailable() const { return m_egaAvailable; } // a gas-analyzer port is configured
    bool baddrEnabled() const { return isChecked(Check::PCIEn); }

    // " Acceleration multiplication = 16", " Feedback divider = 3".
    QString AMFSBCaption() const;
    QString FDFSBCaption() const;

    TestType testType() const { return m_testType; }
    SetupGroups groups() const { return setupGroups(m_testType); }
    QString rangeColour() const { return rangeControlColour(m_testType); }
    // A change of test type: the groups and colours follow, "Quick Sweep" takes the inertia factor
    // ("0.000") and an acceleration of 25, the throttle panel is disabled and the default script is
    // generated again. (The new file name is proposed by the library, on testTypeChanged.)
    void TstTypRClick(TestType type);

    // The step script.
    const QStringList& script() const { return m_script; }
    void setScript(const QStringList& lines); // hand edits and loaded files
    void BitBtn2Click();                      // "Clear All"
    // "Default": generates the default script from MnRpm, RedLine and AutoInc (and the checked
    // throttle sections for road load). An increment below 50 rpm leaves the script as it is; a
    // script that would be too long brings the warning and ends up empty.
    void DefaultBClick();
    bool isThrottleChecked(ThrottlePosition position) const;
    void setThrottleChecked(ThrottlePosition position, bool checked); // regenerates the script
    bool throttlePanelEnabled() const { return m_throttlePanelEnabled; }
    // The search for a script in the current test's folder is due at the next showing.
    bool chkScriptPending() const { return m_chkScriptPending; }
    void setChkScriptPending(bool pending) { m_chkScriptPending = pending; }

    // The notes of the reference test (the hidden "Test notes" page).
    const QStringList& notes() const { return m_notes; }
    void setNotes(const QStringList& notes);

    // Showing the window: with a gas-analyzer port the sample delay shows the gas-analyzer delay,
    // without one "Enable EGA" is cleared and disabled. (The script search that may be pending is
    // ScriptFiles::ChkScript.)
    void FormShow();
    // Leaving the inertia: a value that is not above 0 brings the warning and "2.5000". Returns
    // false when the focus has to go back to the inertia.
    bool InertiaEExit();

    // Defers the default-script generation that values changed during a load would trigger one by
    // one, so a half-loaded setup (a new start rpm with the old increment) never warns about too
    // many steps; the script is generated once, from the loaded values, when the last batch ends.
    class Batch {
    public:
        explicit Batch(TestSetup& setup);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        TestSetup& m_setup;
    };

signals:
    void valueChanged(tolvane::TestSetup::Spin spin);
    void checkedChanged(tolvane::TestSetup::Check check);
    void textChanged(tolvane::TestSetup::Text field);
    void enabledChanged();
    void testTypeChanged();
    void scriptChanged();
    void throttleChanged();
    void notesChanged();

private:
    template <class E> static constexpr std::size_t index(E e) { return static_cast<std::size_t>(e); }
    int minimumOf(Spin spin) const;
    int defaultDecelRpm() const; // (MnRpm div 1000) × 1000 + 1000, within the control's limit

    void MnRpmChange();
    void AutoDecellChange();
    void DefDecEnClick();

    UnitSettings& m_units;
    Prompter& m_prompter;
    TextLocale m_locale;
    std::array<int, 14> m_values{};
    std::array<bool, 9> m_checks{};
    std::array<QString, 12> m_texts;
    int m_autoDecellMinimum = 500;
    bool m_egaAvailable = true;
    TestType m_testType = TestType::FloatBowl;
    QStringList m_script;
    std::array<bool, ThrottlePositionCount> m_throttles{};
    bool m_throttlePanelEnabled = true;
    bool m_chkScriptPending = false;
    QStringList m_notes;
    int m_batchDepth = 0;
    bool m_scriptDue = false;
};

} // namespace tolvane
