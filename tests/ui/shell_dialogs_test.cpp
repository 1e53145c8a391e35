// The shell's small dialogs driven through their handlers: the Company Info dialog filling the
// company information and the configuration, the power units writing label and factor, the New Test
// Help following "Show_Help", the hints window reporting its showing and the help browser.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>

#include "core/common/configuration.h"
#include "core/common/scripted_prompter.h"
#include "core/common/text_file.h"
#include "core/setup/company_info.h"
#include "core/setup/unit_settings.h"
#include "ui/setup/about_window.h"
#include "ui/setup/hints_window.h"
#include "ui/shell/company_dialog.h"
#include "ui/shell/new_test_help_dialog.h"
#include "ui/shell/power_unit_dialog.h"

namespace tolvane {
namespace {

class ShellDialogsTest : public ::testing::Test {
protected:
    QString iniPath() const { return dir.filePath(QStringLiteral("ZezeDur_USB.Ini")); }
    Configuration reread() const { return Configuration(iniPath(), TextLocale::standard()); }
    void writeIni(const QStringList& lines) { ASSERT_FALSE(writeTextLines(iniPath(), lines).has_value()); }

    QTemporaryDir dir;
    Configuration config{iniPath(), TextLocale::standard()};
    ScriptedPrompter prompter;
};

TEST_F(ShellDialogsTest, CompanyInfoFillsTheModelAndTheConfigurationThenAsksForTheRootDirectory)
{
    CompanyInfo company;
    TCmpNamef dialog(company, config, prompter);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Company Info"));
    EXPECT_TRUE(dialog.comp1()->text().isEmpty());
    EXPECT_TRUE(dialog.comp2()->text().isEmpty());
    int rootRequests = 0;
    QObject::connect(&dialog, &TCmpNamef::rootDirectoryRequested, [&] { ++rootRequests; });

    dialog.show();
    dialog.comp1()->setText(QStringLiteral("Speed & Sons"));
    dialog.comp2()->setText(QStringLiteral("Leeds, Ph 0113 555, info@speed.example"));
    dialog.OKBtnClick();

    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(rootRequests, 1);
    EXPECT_EQ(company.name(), QStringLiteral("Speed & Sons"));
    EXPECT_EQ(company.address(), QStringLiteral("Leeds, Ph 0113 555, info@speed.example"));
    const Configuration file = reread();
    EXPECT_EQ(file.read(ConfigSettings::CompanyName), QStringLiteral("Speed & Sons"));
    EXPECT_EQ(file.read(ConfigSettings::CompanyAddr),
              QStringLiteral("Leeds, Ph 0113 555, info@speed.example"));
    EXPECT_TRUE(prompter.asked().empty());
}

TEST_F(ShellDialogsTest, CompanyInfoKeptWhenTheConfigurationCannotBeWritten)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("ZezeDur_USB.Ini")));
    CompanyInfo company;
    TCmpNamef dialog(company, config, prompter);
    int rootRequests = 0;
    QObject::connect(&dialog, &TCmpNamef::rootDirectoryRequested, [&] { ++rootRequests; });
    dialog.comp1()->setText(QStringLiteral("Speed Shop"));
    dialog.comp2()->setText(QStringLiteral("Leeds"));
    dialog.OKBtnClick();

    ASSERT_EQ(prompter.asked().size(), 1u);
    EXPECT_EQ(prompter.asked()[0].title, QStringLiteral("Company Info"));
    EXPECT_EQ(prompter.asked()[0].icon, PromptIcon::Warning);
    EXPECT_EQ(company.name(), QStringLiteral("Speed Shop"));
    EXPECT_EQ(company.address(), QStringLiteral("Leeds"));
    EXPECT_EQ(rootRequests, 1);
}

TEST_F(ShellDialogsTest, PowerUnitOkWritesLabelAndFactorAtOnce)
{
    const struct {
        QRadioButton* (TPwrUnit::*button)() const;
        const char* caption;
        const char* label;
        int stored;
        double factor;
    } cases[] = {
        {&TPwrUnit::bhp, "BHP    = 1000", "BHP", 1000, 1.0},
        {&TPwrUnit::ps, "PS       = 1014", "PS", 1014, 1.014},
        {&TPwrUnit::kw, "KW      = 0746", "KW", 746, 0.746},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        UnitSettings units;
        units.setPowerUnitLabel(QStringLiteral("none"));
        units.setPowerFactor(2.0);
        TPwrUnit dialog(config, units, prompter);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Tolvane"));
        QRadioButton* button = (dialog.*c.button)();
        EXPECT_EQ(button->text(), QString::fromLatin1(c.caption));
        button->setChecked(true);
        dialog.OKBtnClick();

        EXPECT_EQ(units.powerUnitLabel(), QString::fromLatin1(c.label));
        EXPECT_DOUBLE_EQ(units.powerFactor(), c.factor);
        const Configuration file = reread();
        EXPECT_EQ(file.read(ConfigKeys::Power, QString()), QString::fromLatin1(c.label));
        EXPECT_EQ(file.read(ConfigKeys::PowerMf, 0), c.stored);
    }
}

TEST_F(ShellDialogsTest, PowerUnitWithoutATickOrCancelledWritesNothing)
{
    UnitSettings units;
    TPwrUnit untouched(config, units, prompter);
    for (QRadioButton* button : {untouched.bhp(), untouched.ps(), untouched.kw()})
        EXPECT_FALSE(button->isChecked());
    untouched.OKBtnClick();

    TPwrUnit cancelled(config, units, prompter);
    cancelled.ps()->setChecked(true);
    cancelled.CancelBtnClick();

    EXPECT_FALSE(QFile::exists(iniPath()));
    EXPECT_EQ(units.powerUnitLabel(), QStringLiteral("BHP"));
    EXPECT_DOUBLE_EQ(units.powerFactor(), 1.0);
}

TEST_F(ShellDialogsTest, NewTestHelpShownOnlyForShowHelpTrueExactly)
{
    const struct {
        QStringList file;
        bool shown;
    } cases[] = {
        {{}, true},
        {{"[Help]", "Show_Help=True"}, true},
        {{"[Help]", "Show_Help=true"}, false},
        {{"[Help]", "Show_Help=TRUE"}, false},
        {{"[Help]", "Show_Help=False"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.join(QLatin1Char('|')).toStdString());
        QFile::remove(iniPath());
        if (!c.file.isEmpty())
            writeIni(c.file);
        TNtstDia help(config, prompter);
        help.showIfWanted();
        EXPECT_EQ(help.isVisible(), c.shown);
    }
}

TEST_F(ShellDialogsTest, NewTestHelpTextAndCheckBox)
{
    TNtstDia help(config, prompter);
    EXPECT_EQ(help.windowTitle(), QStringLiteral("New Test Help"));
    EXPECT_TRUE(help.helpText()->isReadOnly());
    const QStringList lines = help.helpText()->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines[0],
              QStringLiteral(" To load Auto Setup test parameters for the test you are about to do, go "
                             "back to the "));
    EXPECT_EQ(lines[2], QStringLiteral("click on \"Go to Test\" again."));
    EXPECT_EQ(lines[11], QStringLiteral("positive changes with the least amount of engine runtime."));
    EXPECT_EQ(help.showCheckBox()->text(), QStringLiteral("Always show this box before testing."));
    EXPECT_TRUE(help.showCheckBox()->isChecked());

    // Unticking turns the help off at once and hides the window.
    help.showIfWanted();
    ASSERT_TRUE(help.isVisible());
    help.showCheckBox()->click();
    EXPECT_FALSE(help.isVisible());
    EXPECT_EQ(reread().read(ConfigKeys::ShowHelp, QString()), QStringLiteral("False"));
    help.showIfWanted();
    EXPECT_FALSE(help.isVisible());

    // "Show New Test Hints" writes "True" again: the help returns, its box left as the click left it.
    ASSERT_FALSE(config.write(ConfigKeys::ShowHelp, QStringLiteral("True")).has_value());
    help.showIfWanted();
    EXPECT_TRUE(help.isVisible());
    EXPECT_FALSE(help.showCheckBox()->isChecked());

    // Another click, even one that ticks the box, turns it off again.
    help.showCheckBox()->click();
    EXPECT_TRUE(help.showCheckBox()->isChecked());
    EXPECT_FALSE(help.isVisible());
    EXPECT_EQ(reread().read(ConfigKeys::ShowHelp, QString()), QStringLiteral("False"));

    help.show();
    help.CloseBtnClick();
    EXPECT_FALSE(help.isVisible());
    EXPECT_TRUE(prompter.asked().empty());
}

TEST(HelpWindows, HintsReportBeingShownAndClosedBothStayOnTop)
{
    THintBrzr hints;
    EXPECT_EQ(hints.windowTitle(), QStringLiteral("Hints"));
    QList<bool> reports;
    QObject::connect(&hints, &THintBrzr::shownChanged, [&](bool shown) { reports << shown; });
    hints.show();
    hints.close();
    EXPECT_EQ(reports, (QList<bool>{true, false}));
    EXPECT_TRUE(hints.windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    const TAboutBr browser;
    EXPECT_EQ(browser.windowTitle(), QStringLiteral("Dynamometer Help Browser"));
    EXPECT_TRUE(browser.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

} // namespace
} // namespace tolvane
