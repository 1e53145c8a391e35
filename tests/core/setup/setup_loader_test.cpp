#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "core/common/scripted_prompter.h"
#include "core/common/text_file.h"
#include "core/setup/run_conditions.h"
#include "core/setup/setup_loader.h"
#include "core/setup/test_setup.h"
#include "core/setup/unit_settings.h"
#include "support/fixtures.h"

using namespace tolvane;

namespace {

using Spin = TestSetup::Spin;
using Check = TestSetup::Check;
using Text = TestSetup::Text;

struct Context {
    ScriptedPrompter prompter;
    UnitSettings units;
    RunConditions saveDialog;
    TestSetup setup{units, prompter, TextLocale::standard()};
};

QStringList rpmRange(int from, int to, int step)
{
    QStringList lines;
    for (int v = from; v <= to; v += step)
        lines.append(QString::number(v));
    return lines;
}

SelectedTest fixtureTest(const QString& name)
{
    const QString path = test::fixturePath(QStringLiteral("setup/") + name);
    const TextReadResult file = readTextLines(path);
    EXPECT_TRUE(file.ok()) << path.toStdString();
    return {path, file.lines};
}

} // namespace

TEST(SetupLoader, ReadValsRestoresAStepTestsSetup)
{
    Context c;
    c.units.setUsbBlackBox(true);
    const SelectedTest test = fixtureTest(QStringLiteral("07Smith.STP"));
    ReadVals(c.setup, c.units, c.saveDialog, test, QString(), c.prompter);

    EXPECT_TRUE(c.prompter.asked().empty());
    EXPECT_TRUE(c.setup.isChecked(Check::USBenable));
    EXPECT_EQ(c.setup.testType(), TestType::StepTest);
    EXPECT_EQ(c.setup.text(Text::TachRatio), QLatin1String("3.2500"));
    EXPECT_EQ(c.setup.text(Text::InertiaE), QLatin1String("3.2000"));
    struct Case {
        Spin spin;
        int value;
    };
    const Case cases[] = {
        {Spin::MnRpm, 3500},  {Spin::RedLine, 11000}, {Spin::DrgCo, 25},  {Spin::AutoDecell, 4500},
        {Spin::AutoInc, 500}, {Spin::WarmTo, 6000},   {Spin::Mxfpss, 21}, {Spin::MxLbss, 19},
        {Spin::MnHP, 10},     {Spin::MnSec, 30},      {Spin::AMFSB, 12},  {Spin::FDFSB, 5},
        {Spin::WWRider, 20},
    };
    for (const Case& k : cases)
        EXPECT_EQ(c.setup.value(k.spin), k.value) << static_cast<int>(k.spin);
    EXPECT_TRUE(c.setup.isChecked(Check::AutoDecellcb));
    EXPECT_TRUE(c.setup.isChecked(Check::AutoInccb));
    EXPECT_TRUE(c.setup.isChecked(Check::WarmToCb));
    EXPECT_TRUE(c.setup.isChecked(Check::EgaEnabled));
    EXPECT_EQ(c.setup.script(), rpmRange(3500, 11000, 500));

    const QStringList notes{QStringLiteral("Jetting:\tmain 140"), QStringLiteral("Plug:\tNGK 9")};
    EXPECT_EQ(c.setup.notes(), notes);
    EXPECT_EQ(c.saveDialog.notes(), notes);
    EXPECT_EQ(c.setup.text(Text::Caption), test.currentFile);
    EXPECT_TRUE(c.setup.chkScriptPending());
    EXPECT_EQ(c.saveDialog.fileName(), QLatin1String("07Smith.STP"));
    EXPECT_EQ(c.saveDialog.folder(), test::fixturePath(QStringLiteral("setup")));
    EXPECT_EQ(c.setup.text(Text::TempP), test.currentFile);
    EXPECT_EQ(c.setup.text(Text::TemPath), QLatin1String("07Smith.STP"));
}

TEST(SetupLoader, ReadValsRestoresASweepTestsSetup)
{
    Context c;
    c.units.setEgaComPort(0);
    c.setup.setChecked(Check::EgaEnabled, true);
    c.setup.FormShow(); // no gas analyzer: EGA off and disabled
    ReadVals(c.setup, c.units, c.saveDialog, fixtureTest(QStringLiteral("03Jones.SWP")), QString(),
             c.prompter);

    EXPECT_EQ(c.setup.testType(), TestType::SweepTest);
    EXPECT_EQ(c.setup.text(Text::TachRatio), QLatin1String("2.9000"));
    EXPECT_EQ(c.setup.text(Text::InertiaE), QLatin1String("2.8000"));
    EXPECT_EQ(c.setup.value(Spin::WWRider), 30);
    EXPECT_EQ(c.setup.value(Spin::DrgCo), 15);
    EXPECT_EQ(c.setup.value(Spin::MnRpm), 4000);
    EXPECT_EQ(c.setup.value(Spin::AutoDecell), 5000);
    // Sweep files carry no brake factors: they keep their values.
    EXPECT_EQ(c.setup.value(Spin::AMFSB), 16);
    EXPECT_EQ(c.setup.value(Spin::FDFSB), 3);
    EXPECT_FALSE(c.setup.isChecked(Check::AutoDecellcb));
    EXPECT_FALSE(c.setup.isChecked(Check::AutoInccb)); // cleared with auto decel
    EXPECT_FALSE(c.setup.isChecked(Check::EgaEnabled));
    EXPECT_EQ(c.setup.notes(), QStringList{QStringLiteral("Pipe:\tstock")});
    EXPECT_EQ(c.setup.script(), rpmRange(4000, 14000, 1000));
}

TEST(SetupLoader, HeaderKeysApplyOnlyWhereTheirValuesConvert)
{
    struct Case {
        const char* line;
        Spin spin;
        int expected;
    };
    const Case cases[] = {
        {"Min Rpm:3500", Spin::MnRpm, 3500},
        {"Min Rpm:x3500", Spin::MnRpm, 3000},                // a letter: unchanged
        {"Min Rpm:$DAC", Spin::MnRpm, 3500},                 // hexadecimal integer text
        {"Redline:30000", Spin::RedLine, 25000},             // clamped to the control's limit
        {"Min Rpm:-5", Spin::MnRpm, 500},                    // clamped up
        {"Min Rpm:99999999999999999999", Spin::MnRpm, 3000}, // no integer: unchanged
        {"Min Rpm:$", Spin::MnRpm, 3000},
        {"  Min Rpm:3500", Spin::MnRpm, 3000}, // the key is expected at the start
        {"fpss MF:abc", Spin::AMFSB, 20},      // not an integer: 20
        {"fpss MF:7", Spin::AMFSB, 7},
        {"Feedback DF:", Spin::FDFSB, 10}, // not an integer: 10
        {"Hold:9", Spin::DrgCo, 9},
        {"T fps/s:33", Spin::WWRider, 33},
        {"Max fps/s:40", Spin::MxLbss, 40}, // copied into the load threshold
    };
    for (const Case& k : cases) {
        Context c;
        applySetupLines(c.setup, {QString::fromLatin1(k.line)});
        EXPECT_EQ(c.setup.value(k.spin), k.expected) << k.line;
    }

    struct BoolCase {
        const char* line;
        bool expected;
    };
    const BoolCase bools[] = {{"Auto Inc:True", true},
                              {"Auto Inc: True", false},
                              {"Auto Inc:true", false},
                              {"Auto Inc:False", false}};
    for (const BoolCase& k : bools) {
        Context c;
        c.setup.setChecked(Check::AutoInccb, false);
        applySetupLines(c.setup, {QString::fromLatin1(k.line)});
        EXPECT_EQ(c.setup.isChecked(Check::AutoInccb), k.expected) << k.line;
    }

    // Lines of 100 characters or more are skipped.
    Context c;
    applySetupLines(c.setup, {QStringLiteral("Min Rpm:3500") + QString(87, QLatin1Char(' '))});
    EXPECT_EQ(c.setup.value(Spin::MnRpm), 3500);
    applySetupLines(c.setup, {QStringLiteral("Min Rpm:4500") + QString(88, QLatin1Char(' '))});
    EXPECT_EQ(c.setup.value(Spin::MnRpm), 3500);
    // The model name selects the kind of test from the same line.
    applySetupLines(c.setup, {QStringLiteral("QV512e Auto Sweep   1/2/2026")});
    EXPECT_EQ(c.setup.testType(), TestType::SweepTest);
    applySetupLines(c.setup, {QStringLiteral("QV512e other")});
    EXPECT_EQ(c.setup.testType(), TestType::SweepTest);
}

TEST(SetupLoader, WithoutACurrentFileTheDefaultSetupIsLoaded)
{
    Context c;
    ReadVals(c.setup, c.units, c.saveDialog, {}, test::fixturePath(QStringLiteral("setup/Test.Prm")),
             c.prompter);
    ASSERT_GE(c.prompter.asked().size(), 1u);
    EXPECT_EQ(c.prompter.asked().front().text, QLatin1String("Loading Last Setup!"));
    EXPECT_EQ(c.prompter.asked().front().buttons, PromptButtons::Ok);
    EXPECT_EQ(c.setup.value(Spin::MnRpm), 2500);
    EXPECT_FALSE(c.setup.chkScriptPending());
}

TEST(SetupLoader, DefaultValuesReadsTheFixedLines)
{
    Context c;
    DefaultValues(c.setup, test::fixturePath(QStringLiteral("setup/Test.Prm")), c.prompter);
    EXPECT_TRUE(c.prompter.asked().empty());
    EXPECT_EQ(c.setup.text(Text::TachRatio), QLatin1String("3.5000"));
    EXPECT_EQ(c.setup.text(Text::InertiaE), QLatin1String("2.9000"));
    EXPECT_EQ(c.setup.text(Text::Caption), QLatin1String("Default setup"));
    struct Case {
        Spin spin;
        int value;
    };
    const Case cases[] = {
        {Spin::MnRpm, 2500},      {Spin::RedLine, 13000}, {Spin::DrgCo, 21},   {Spin::AutoInc, 500},
        {Spin::AutoDecell, 4000}, {Spin::WarmTo, 8000},   {Spin::Mxfpss, 19},  {Spin::MxLbss, 18},
        {Spin::MnHP, 12},         {Spin::MnSec, 20},      {Spin::WWRider, 35},
    };
    for (const Case& k : cases)
        EXPECT_EQ(c.setup.value(k.spin), k.value) << static_cast<int>(k.spin);
    EXPECT_FALSE(c.setup.isChecked(Check::AutoInccb));
    EXPECT_TRUE(c.setup.isChecked(Check::AutoDecellcb));
    EXPECT_TRUE(c.setup.isChecked(Check::WarmToCb));
    EXPECT_TRUE(c.setup.isChecked(Check::EgaEnabled));
    EXPECT_EQ(c.setup.testType(), TestType::RoadLoad);
    EXPECT_EQ(c.setup.notes(),
              (QStringList{QStringLiteral("Baseline:\tstock jets"), QStringLiteral("Second note")}));
    EXPECT_EQ(c.setup.script(), rpmRange(2500, 13000, 500));
}

TEST(SetupLoader, DefaultValuesStopsAtALineThatDoesNotConvert)
{
    Context c;
    DefaultValues(c.setup, test::fixturePath(QStringLiteral("setup/Test_bad_increment.Prm")), c.prompter);
    ASSERT_EQ(c.prompter.asked().size(), 1u);
    EXPECT_EQ(c.prompter.asked().front().text,
              QLatin1String("Test_bad_increment.Prm line 7: '5OO' is not a valid integer value"));
    EXPECT_EQ(c.prompter.asked().front().icon, PromptIcon::Error);
    // Lines 1 to 6 were read; the rest keep their values.
    EXPECT_EQ(c.setup.value(Spin::MnRpm), 2500);
    EXPECT_EQ(c.setup.text(Text::InertiaE), QLatin1String("2.9000"));
    EXPECT_FALSE(c.setup.isChecked(Check::AutoInccb));
    EXPECT_EQ(c.setup.value(Spin::AutoInc), 1000);
    EXPECT_EQ(c.setup.value(Spin::WarmTo), 7000);
    EXPECT_EQ(c.setup.testType(), TestType::FloatBowl);
    EXPECT_TRUE(c.setup.notes().isEmpty());
    EXPECT_EQ(c.setup.script(), QStringList{QStringLiteral("2500")} + rpmRange(3000, 13000, 1000));

    // A short file keeps what it holds, without a message; a missing one changes nothing.
    Context s;
    DefaultValues(s.setup, test::fixturePath(QStringLiteral("setup/Test_short.Prm")), s.prompter);
    EXPECT_TRUE(s.prompter.asked().empty());
    EXPECT_EQ(s.setup.value(Spin::AutoDecell), 4000);
    EXPECT_EQ(s.setup.value(Spin::AutoInc), 500);
    EXPECT_EQ(s.setup.value(Spin::WarmTo), 7000);
    Context m;
    DefaultValues(m.setup, test::fixturePath(QStringLiteral("setup/no such file.Prm")), m.prompter);
    EXPECT_TRUE(m.prompter.asked().empty());
    EXPECT_EQ(m.setup.text(Text::TachRatio), QLatin1String("3.1250"));
}

TEST(SetupLoader, DefaultValuesNeverWritesTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Test.Prm"));
    ASSERT_TRUE(QFile::copy(test::fixturePath(QStringLiteral("setup/Test.Prm")), path));
    const TextReadResult before = readTextLines(path);
    Context c;
    DefaultValues(c.setup, path, c.prompter);
    c.setup.setValue(Spin::MnRpm, 5000);
    EXPECT_EQ(readTextLines(path).lines, before.lines);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Test.Prm")});
}

TEST(SetupLoader, WrtNewDirsSplitsTheFolderBelowTheRoot)
{
    const QString root = QStringLiteral("/data/dynoruns");
    struct Case {
        const char* currentFile;
        const char* make;
        const char* model;
        const char* owner;
        const char* extra;
    };
    const Case cases[] = {
        {"/data/dynoruns/Make/Model/Owner/07Smith.STP", " Make", " Model", " Owner", ""},
        {"/data/dynoruns/Make/Model/Owner/V2/07Smith.STP", " Make", " Model", " Owner", " V2"},
        {"/data/dynoruns/Make/Model/Owner/V2/more/07Smith.STP", " Make", " Model", " Owner", " V2"},
        {"/data/dynoruns/Make/07Smith.STP", " Make", "", "", ""},
        {"/data/dynoruns/07Smith.STP", "", "", "", ""},
        {"/elsewhere/Make/Model/07Smith.STP", "", "", "", ""}, // outside the library
        {"", "", "", "", ""},
    };
    for (const Case& k : cases) {
        Context c;
        c.saveDialog.setFileName(QStringLiteral("08Smith.STP"));
        WrtNewDirs(c.setup, c.saveDialog, root, QString::fromLatin1(k.currentFile));
        EXPECT_EQ(c.setup.text(Text::NFName), QLatin1String("08Smith.STP"));
        EXPECT_EQ(c.setup.text(Text::RootDirL), root);
        EXPECT_EQ(c.setup.text(Text::MnL), QLatin1String(k.make)) << k.currentFile;
        EXPECT_EQ(c.setup.text(Text::YMdL), QLatin1String(k.model)) << k.currentFile;
        EXPECT_EQ(c.setup.text(Text::NmL), QLatin1String(k.owner)) << k.currentFile;
        EXPECT_EQ(c.setup.text(Text::ExtraL), QLatin1String(k.extra)) << k.currentFile;
    }
}

TEST(SetupLoader, ApplyNamesTheNewTestAndFillsAnEmptyScript)
{
    Context c;
    c.setup.setValue(Spin::SmpDly, 6);
    c.units.setEgaDelay(2);
    c.setup.setText(Text::NFName, QStringLiteral("08Smith.STP"));
    const QString next =
        ApplyBClick(c.setup, c.saveDialog, c.units, QStringLiteral("/runs/Make/Model/07Smith.STP"));
    EXPECT_EQ(next, QLatin1String("/runs/Make/Model/08Smith.STP"));
    EXPECT_EQ(c.saveDialog.fileName(), QLatin1String("08Smith.STP"));
    EXPECT_EQ(c.units.egaDelay(), 6);
    EXPECT_EQ(c.setup.script(), rpmRange(3000, 12000, 1000));

    // A script of its own is kept; no new name keeps the current file.
    c.setup.setScript({QStringLiteral("5000")});
    c.setup.setText(Text::NFName, QString());
    EXPECT_EQ(ApplyBClick(c.setup, c.saveDialog, c.units, QStringLiteral("/runs/a/07x.STP")),
              QLatin1String("/runs/a/07x.STP"));
    EXPECT_EQ(c.setup.script(), QStringList{QStringLiteral("5000")});
    EXPECT_EQ(c.saveDialog.fileName(), QLatin1String("08Smith.STP"));

    // What the test windows take from the texts.
    c.setup.setText(Text::TachRatio, QStringLiteral("3.2500"));
    c.setup.setValue(Spin::WWRider, 25);
    EXPECT_DOUBLE_EQ(c.setup.tachRatioValue(), 3.25);
    EXPECT_EQ(c.setup.tachRatioLabel(), QLatin1String("3.2500:1"));
    EXPECT_DOUBLE_EQ(c.setup.targetAcceleration(), 0.025);
    EXPECT_DOUBLE_EQ(c.setup.inertiaValue(), 3.5);
    c.setup.setText(Text::TachRatio, QStringLiteral("abc"));
    EXPECT_EQ(c.setup.tachRatioValue(), 0.0);
}
