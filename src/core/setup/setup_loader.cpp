#include "core/setup/setup_loader.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <functional>
#include <limits>
#include <optional>

#include "core/common/library_path.h"
#include "core/common/number_text.h"
#include "core/common/text_file.h"
#include "core/setup/run_conditions.h"
#include "core/setup/test_setup.h"
#include "core/setup/unit_settings.h"

namespace tolvane {

namespace {

using Spin = TestSetup::Spin;
using Check = TestSetup::Check;
using Text = TestSetup::Text;

std::optional<int> toInt(const QString& text)
{
    const auto value = parseInt(text);
    if (!value || *value < std::numeric_limits<int>::min() || *value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(*value);
}

// "True" and "False" exactly; anything else leaves the box as it is.
void applyBool(TestSetup& setup, Check check, const QString& value)
{
    if (value == QLatin1String("True"))
        setup.setChecked(check, true);
    else if (value == QLatin1String("False"))
        setup.setChecked(check, false);
}

void applyInt(TestSetup& setup, Spin spin, const QString& value)
{
    if (const auto v = toInt(value))
        setup.setValue(spin, *v);
}

} // namespace

void applySetupLines(TestSetup& setup, const QStringList& lines)
{
    struct Key {
        const char* key;
        std::function<void(const QString& line, const QString& value)> apply;
    };
    const auto integer = [&setup](Spin spin) {
        return [&setup, spin](const QString&, const QString& value) { applyInt(setup, spin, value); };
    };
    const auto boolean = [&setup](Check check) {
        return [&setup, check](const QString&, const QString& value) { applyBool(setup, check, value); };
    };
    const Key keys[] = {
        {"Eng. Tachometer Ratio - ",
         [&](const QString&, const QString& v) { setup.setText(Text::TachRatio, v); }},
        {"Min Rpm:", integer(Spin::MnRpm)},
        {"Redline:", integer(Spin::RedLine)},
        {"Hold:", integer(Spin::DrgCo)},
        {"Inertia:", [&](const QString&, const QString& v) { setup.setText(Text::InertiaE, v); }},
        {"Auto Decell:", boolean(Check::AutoDecellcb)},
        {"Decell rpm:", integer(Spin::AutoDecell)},
        {"Auto Inc:", boolean(Check::AutoInccb)},
        {"Step rpm:", integer(Spin::AutoInc)},
        {"Warm up:", boolean(Check::WarmToCb)},
        {"Warm rpm:", integer(Spin::WarmTo)},
        {"Max fps/s:", integer(Spin::Mxfpss)},
        {"Max Lbs/s:", integer(Spin::MxLbss)},
        {"Min hp:", integer(Spin::MnHP)},
        {"Min Seconds:", integer(Spin::MnSec)},
        {"EGA:",
         [&](const QString&, const QString& v) {
             if (v == QLatin1String("True") && setup.egaAvailable())
                 setup.setChecked(Check::EgaEnabled, true);
             else if (v == QLatin1String("False"))
                 setup.setChecked(Check::EgaEnabled, false);
         }},
        {"QV512e",
         [&](const QString& line, const QString&) {
             if (line.contains(QLatin1String("Sweep")))
                 setup.TstTypRClick(TestType::SweepTest);
             else if (line.contains(QLatin1String("Step")))
                 setup.TstTypRClick(TestType::StepTest);
         }},
        {"T fps/s:", integer(Spin::WWRider)},
        {"fpss MF:",
         [&](const QString&, const QString& v) { setup.setValue(Spin::AMFSB, toInt(v).value_or(20)); }},
        {"Feedback DF:",
         [&](const QString&, const QString& v) { setup.setValue(Spin::FDFSB, toInt(v).value_or(10)); }},
    };

    const TestSetup::Batch batch(setup);
    for (const QString& line : lines) {
        if (line.size() >= 100)
            continue;
        for (const Key& k : keys) {
            const QLatin1String key(k.key);
            if (line.contains(key))
                k.apply(line, line.mid(key.size()));
        }
    }
}

void LoadNotes(TestSetup& setup, RunConditions& saveDialog, const QStringList& lines)
{
    QStringList notes;
    for (const QString& line : lines)
        if (line.contains(QLatin1String(":\t")))
            notes.append(line);
    setup.setNotes(notes);
    saveDialog.setNotes(notes);
}

void ReadVals(TestSetup& setup, const UnitSettings& units, RunConditions& saveDialog,
              const SelectedTest& selected, const QString& testPrmPath, Prompter& prompter)
{
    setup.setChecked(Check::USBenable, units.usbBlackBox());
    if (selected.currentFile.isEmpty()) {
        prompter.inform(QStringLiteral("Warning"), QStringLiteral("Loading Last Setup!"),
                        PromptIcon::Warning);
        DefaultValues(setup, testPrmPath, prompter);
        return;
    }
    if (!selected.lines.isEmpty())
        LoadNotes(setup, saveDialog, selected.lines);
    setup.setText(Text::Caption, selected.currentFile);
    applySetupLines(setup, selected.lines);
    setup.setChkScriptPending(true);

    const QFileInfo current(selected.currentFile);
    saveDialog.setFileName(current.fileName());
    saveDialog.setFolder(current.path());
    setup.setText(Text::TempP, selected.currentFile);
    setup.setText(Text::TemPath, current.fileName());
}

void DefaultValues(TestSetup& setup, const QString& testPrmPath, Prompter& prompter)
{
    const TextReadResult file = readTextLines(testPrmPath);
    if (!file.ok())
        return;
    const TestSetup::Batch batch(setup);
    const auto conversionError = [&](int number, const QString& text, const char* kind) {
        prompter.inform(QStringLiteral("Error"),
                        QStringLiteral("%1 line %2: '%3' is not a valid %4 value")
                            .arg(QFileInfo(testPrmPath).fileName())
                            .arg(number)
                            .arg(text, QLatin1String(kind)),
                        PromptIcon::Error);
    };
    // The integer lines, indexed by line number.
    const std::optional<Spin> integerLines[22] = {
        {},           {},
        Spin::MnRpm,  Spin::RedLine,
        Spin::DrgCo,  {},
        {},           Spin::AutoInc,
        {},           Spin::AutoDecell,
        {},           Spin::WarmTo,
        Spin::Mxfpss, Spin::MxLbss,
        Spin::MnHP,   Spin::MnSec,
        {},           {},
        {},           {},
        {},           Spin::WWRider,
    };

    const int count = static_cast<int>(file.lines.size());
    for (int number = 1; number <= std::min(count, 21); ++number) {
        const QString& text = file.lines[number - 1];
        const bool isTrue = text == QLatin1String("True");
        switch (number) {
        case 1: {
            const auto ratio = parseFloat(text, setup.locale());
            if (!ratio)
                return conversionError(number, text, "floating point");
            setup.setText(Text::TachRatio, formatNumber(*ratio, u"0.0000", setup.locale()));
            break;
        }
        case 5:
            setup.setText(Text::InertiaE, text);
            break;
        case 6:
            setup.setChecked(Check::AutoInccb, isTrue);
            break;
        case 8:
            setup.setChecked(Check::AutoDecellcb, isTrue);
            break;
        case 10:
            setup.setChecked(Check::WarmToCb, isTrue);
            break;
        case 16:
            setup.setText(Text::Caption, text);
            break;
        case 17:
        case 18:
            break;
        case 19:
            setup.setChecked(Check::EgaEnabled, isTrue);
            break;
        case 20:
            setup.TstTypRClick(text == QLatin1String("1") ? TestType::RoadLoad : TestType::StepTest);
            break;
        default: {
            const auto v = toInt(text);
            if (!v)
                return conversionError(number, text, "integer");
            setup.setValue(*integerLines[number], *v);
            break;
        }
        }
    }
    if (count >= 21)
        setup.setNotes(file.lines.mid(21));
}

void WrtNewDirs(TestSetup& setup, const RunConditions& saveDialog, const QString& rootDirectory,
                const QString& currentFile)
{
    setup.setText(Text::NFName, QFileInfo(saveDialog.fileName()).fileName());
    setup.setText(Text::RootDirL, rootDirectory);
    const QString below = storedPathBelow(rootDirectory, QFileInfo(currentFile).path());
    const QStringList levels = below.isEmpty() ? QStringList() : below.split(QLatin1Char('\\'));
    const Text labels[] = {Text::MnL, Text::YMdL, Text::NmL, Text::ExtraL};
    for (int k = 0; k < 4; ++k)
        setup.setText(labels[k], k < levels.size() ? QLatin1Char(' ') + levels[k] : QString());
}

QString ApplyBClick(TestSetup& setup, RunConditions& saveDialog, UnitSettings& units,
                    const QString& currentFile)
{
    if (setup.script().isEmpty())
        setup.DefaultBClick();
    const QString name = setup.text(Text::NFName);
    units.setEgaDelay(setup.value(Spin::SmpDly));
    if (name.isEmpty())
        return currentFile;
    saveDialog.setFileName(name);
    if (currentFile.isEmpty())
        return currentFile;
    return QDir(QFileInfo(currentFile).path()).filePath(name);
}

} // namespace tolvane
