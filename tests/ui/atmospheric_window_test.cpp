// The atmospheric conditions window over its model: typing refuses or accepts the entries (OK
// follows), the unit commands and double-clicks convert, OK warns about an implausible factor and
// copies the shown texts into the save dialog.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

#include "core/common/scripted_prompter.h"
#include "core/setup/atmospheric_conditions.h"
#include "core/setup/run_conditions.h"
#include "ui/setup/atmospheric_window.h"

namespace tolvane {
namespace {

class AtmosphericWindowTest : public ::testing::Test {
protected:
    // As the operator types: replaces the entry's text through the edit, not programmatically.
    static void type(QLineEdit* entry, const QString& text)
    {
        entry->selectAll();
        entry->insert(text);
    }
    static void doubleClick(QWidget* widget)
    {
        QMouseEvent event(QEvent::MouseButtonDblClick, QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
    QAction* item(const QString& caption) const
    {
        for (QAction* action : window.unitMenu()->actions())
            if (action->text() == caption)
                return action;
        return nullptr;
    }

    RunConditions saveDialog;
    ScriptedPrompter prompter;
    AtmosphericConditions model{saveDialog, prompter, TextLocale::standard()};
    TAtomComdF window{model};
};

TEST_F(AtmosphericWindowTest, CaptionsAndStartState)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Enter atmospheric conditions"));
    EXPECT_EQ(window.TmpB()->text(), QStringLiteral("77.00"));
    EXPECT_EQ(window.PSIB()->text(), QStringLiteral("29.22"));
    EXPECT_EQ(window.Humdtyb()->text(), QStringLiteral("1.00"));
    EXPECT_EQ(window.TmpL()->text(), QStringLiteral("°F"));
    EXPECT_EQ(window.PreL()->text(), QStringLiteral("in / hg"));
    EXPECT_EQ(window.CorrectF()->text(), QStringLiteral("1.0004"));
    EXPECT_EQ(window.CorrSelect()->currentText(), QStringLiteral("SAE J1995"));
    EXPECT_EQ(window.BackB()->text(), QStringLiteral("Go Back"));
    EXPECT_TRUE(window.OkB()->isEnabled());
    QStringList captions;
    for (const QAction* action : window.unitMenu()->actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(captions, (QStringList{"Centigrade", "Farhrenheit", "-", "mb ", "\"hg"}));
}

TEST_F(AtmosphericWindowTest, TypedEntriesEnableOrDisableOk)
{
    struct Case {
        const char* temperature;
        const char* pressure;
        const char* humidity;
        bool ok;
        const char* factor; // shown afterwards
    };
    const Case cases[] = {
        {"77", "29.22", "0", true, "1.0000"},  {"77", "29.22", "50", true, "1.0192"},
        {"7x", "29.22", "0", false, "1.0000"}, // a letter: refused, the factor stays
        {"77", "0", "0", false, "1.0000"},     // no pressure
        {"77", "29.22", "", false, "1.0000"},  // empty humidity
    };
    for (const Case& c : cases) {
        type(window.TmpB(), QStringLiteral("77"));
        type(window.PSIB(), QStringLiteral("29.22"));
        type(window.Humdtyb(), QStringLiteral("0"));
        type(window.TmpB(), QString::fromUtf8(c.temperature));
        type(window.PSIB(), QString::fromUtf8(c.pressure));
        type(window.Humdtyb(), QString::fromUtf8(c.humidity));
        EXPECT_EQ(window.OkB()->isEnabled(), c.ok) << c.temperature << ' ' << c.pressure << ' ' << c.humidity;
        EXPECT_EQ(window.CorrectF()->text(), QString::fromUtf8(c.factor)) << c.temperature;
        EXPECT_EQ(window.TmpB()->text(), QString::fromUtf8(c.temperature)); // the typed text is kept
    }
}

TEST_F(AtmosphericWindowTest, UnitCommandsAndDoubleClicks)
{
    doubleClick(window.TmpB());
    EXPECT_EQ(window.TmpL()->text(), QStringLiteral("°C"));
    EXPECT_EQ(window.TmpB()->text(), QStringLiteral("25.0"));
    doubleClick(window.TmpB());
    EXPECT_EQ(window.TmpL()->text(), QStringLiteral("°F"));
    EXPECT_EQ(window.TmpB()->text(), QStringLiteral("77"));

    item(QStringLiteral("mb "))->trigger();
    EXPECT_EQ(window.PreL()->text(), QStringLiteral("mb"));
    EXPECT_EQ(window.PSIB()->text(), QStringLiteral("989"));
    doubleClick(window.PSIB());
    EXPECT_EQ(window.PreL()->text(), QStringLiteral("in / hg"));
    EXPECT_EQ(window.PSIB()->text(), QStringLiteral("29.21"));

    // A command that asks for the unit already shown does nothing.
    item(QStringLiteral("Farhrenheit"))->trigger();
    EXPECT_EQ(window.TmpB()->text(), QStringLiteral("77"));

    // While an entry is refused the commands are ignored.
    type(window.Humdtyb(), QStringLiteral("a"));
    item(QStringLiteral("Centigrade"))->trigger();
    doubleClick(window.PSIB());
    EXPECT_EQ(window.TmpL()->text(), QStringLiteral("°F"));
    EXPECT_EQ(window.PreL()->text(), QStringLiteral("in / hg"));
    EXPECT_EQ(window.TmpB()->text(), QStringLiteral("77"));
}

TEST_F(AtmosphericWindowTest, OkWarnsAboutImplausibleFactorAndCopiesShownTexts)
{
    int shown = 0;
    int reread = 0;
    QObject::connect(&window, &TAtomComdF::saveDialogRequested, [&] { ++shown; });
    QObject::connect(&window, &TAtomComdF::saveFolderRereadRequested, [&] { ++reread; });
    type(window.PSIB(), QStringLiteral("20"));
    const QString factor = window.CorrectF()->text();

    prompter.queueAnswer(PromptAnswer::Cancel);
    window.OkBClick();
    ASSERT_EQ(prompter.asked().size(), 1u);
    EXPECT_EQ(prompter.asked()[0].text, QStringLiteral("A correction factor of \"") + factor +
                                            "\" is probably incorrect!\nPress Ignore to use it anyways.");
    EXPECT_EQ(prompter.asked()[0].buttons, PromptButtons::CancelIgnore);
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(saveDialog.pressure(), QStringLiteral("29.22")); // nothing copied
    EXPECT_EQ(reread, 1);

    prompter.queueAnswer(PromptAnswer::Ignore);
    doubleClick(window.TmpB()); // copied in the units shown
    window.OkBClick();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(reread, 2);
    EXPECT_EQ(saveDialog.temperature(), QStringLiteral("25.0"));
    EXPECT_EQ(saveDialog.pressure(), QStringLiteral("20"));
    EXPECT_EQ(saveDialog.humidity(), QStringLiteral("1.00"));
    EXPECT_EQ(saveDialog.correction(), window.CorrectF()->text());
}

TEST_F(AtmosphericWindowTest, OkRefusedWhileEntriesInvalidAndGoBackCopiesNothing)
{
    int shown = 0;
    int back = 0;
    QObject::connect(&window, &TAtomComdF::saveDialogRequested, [&] { ++shown; });
    QObject::connect(&window, &TAtomComdF::goBackRequested, [&] { ++back; });
    type(window.TmpB(), QStringLiteral("x"));
    window.OkBClick();
    EXPECT_EQ(shown, 0);
    EXPECT_TRUE(prompter.asked().empty());
    type(window.TmpB(), QStringLiteral("60"));
    window.BackBClick();
    EXPECT_EQ(back, 1);
    EXPECT_EQ(saveDialog.temperature(), QStringLiteral("+77.0"));
}

} // namespace
} // namespace tolvane
