// The splash window: its fixed texts and version, the program's name and folder, the company
// fields, the OK step that readies the exit screen, the exit-screen buttons and the one-shot timer
// that ends only a modal showing.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "core/setup/company_info.h"
#include "ui/setup/splash_window.h"

namespace tolvane {
namespace {

QStringList labelTexts(const QWidget& window)
{
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

TEST(SplashWindow, FixedTextsVersionAndProgram)
{
    CompanyInfo company;
    const Tsplashf splash(company, QStringLiteral("/opt/tolvane/bin/Tolvane"));
    EXPECT_EQ(splash.versionLabel()->text(), QStringLiteral("1005.1"));
    const QStringList texts = labelTexts(splash);
    for (const char* text :
         {"QV512e  Eddy  Current  Dynamometer ", "USB  data acquisition and analysis software ",
          "Version:", "Company Name:", "City, Phone, Fax & Email:", "Executing Program:", "Executing  Path:"})
        EXPECT_TRUE(texts.contains(QString::fromLatin1(text))) << text;
    EXPECT_EQ(splash.programNameLabel()->text(), QStringLiteral("Tolvane"));
    EXPECT_EQ(splash.programPathLabel()->text(), QStringLiteral("/opt/tolvane/bin"));
    EXPECT_EQ(splash.programPathLabel()->toolTip(), QStringLiteral("/opt/tolvane/bin"));
    EXPECT_EQ(splash.closeAllButton()->text(), QStringLiteral("&Close All"));
    EXPECT_EQ(splash.viewGraphsButton()->text(), QStringLiteral("&VIEW  GRAPHS"));
}

TEST(SplashWindow, StartsReadOnlyWithTheExitButtonsHiddenAndTheTimerRunning)
{
    CompanyInfo company;
    Tsplashf splash(company, QStringLiteral("/opt/tolvane/Tolvane"));
    EXPECT_TRUE(splash.comp1()->isReadOnly());
    EXPECT_TRUE(splash.comp2()->isReadOnly());
    EXPECT_FALSE(splash.panel2()->isVisibleTo(&splash));
    EXPECT_TRUE(splash.timer1()->isActive());
    EXPECT_EQ(splash.timer1()->interval(), 2100);

    company.set(QStringLiteral("Speed Shop"), QStringLiteral("Leeds, 0113 555"));
    EXPECT_EQ(splash.comp1()->text(), QStringLiteral("Speed Shop"));
    EXPECT_EQ(splash.comp2()->text(), QStringLiteral("Leeds, 0113 555"));

    // The OK step, which the main window also runs at start-up.
    splash.show();
    splash.OKBClick();
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(splash.comp1()->isReadOnly());
    EXPECT_FALSE(splash.comp2()->isReadOnly());
    EXPECT_TRUE(splash.panel2()->isVisibleTo(&splash));
    EXPECT_EQ(splash.comp1()->text(), QStringLiteral("Speed Shop"));

    // Now editable: what the operator types is the company information.
    splash.comp2()->setFocus();
    splash.comp2()->selectAll();
    QTest::keyClicks(splash.comp2(), QStringLiteral("York"));
    EXPECT_EQ(company.address(), QStringLiteral("York"));
    EXPECT_EQ(company.name(), QStringLiteral("Speed Shop"));
}

TEST(SplashWindow, ExitScreenButtonsAskForTheirStepAndClose)
{
    const struct {
        QPushButton* (Tsplashf::*button)() const;
        int closeAll;
        int viewGraphs;
    } cases[] = {{&Tsplashf::closeAllButton, 1, 0}, {&Tsplashf::viewGraphsButton, 0, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.closeAll);
        CompanyInfo company;
        Tsplashf splash(company, QStringLiteral("/opt/tolvane/Tolvane"));
        splash.OKBClick();
        int closeAll = 0;
        int viewGraphs = 0;
        QObject::connect(&splash, &Tsplashf::closeAllRequested, [&] { ++closeAll; });
        QObject::connect(&splash, &Tsplashf::viewGraphsRequested, [&] { ++viewGraphs; });
        splash.show(); // the exit screen, non-modal
        (splash.*c.button)()->click();
        EXPECT_EQ(closeAll, c.closeAll);
        EXPECT_EQ(viewGraphs, c.viewGraphs);
        EXPECT_FALSE(splash.isVisible());
    }
}

TEST(SplashWindow, LeavingTheExitScreenOtherwiseReturnsToTheGraphs)
{
    // OK, Escape and the window's own close would otherwise leave nothing on screen.
    const struct {
        const char* way;
        void (*leave)(Tsplashf&);
    } cases[] = {
        {"OK", [](Tsplashf& s) { s.OKBClick(); }},
        {"Escape", [](Tsplashf& s) { s.reject(); }},
        {"close", [](Tsplashf& s) { s.close(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.way);
        CompanyInfo company;
        Tsplashf splash(company, QStringLiteral("/opt/tolvane/Tolvane"));
        splash.OKBClick(); // the start-up step: not a showing, no request
        int viewGraphs = 0;
        QObject::connect(&splash, &Tsplashf::viewGraphsRequested, [&] { ++viewGraphs; });
        splash.show();
        c.leave(splash);
        EXPECT_FALSE(splash.isVisible());
        EXPECT_EQ(viewGraphs, 1);
    }

    // The About showing (modal, exit buttons hidden) asks for nothing when it ends.
    CompanyInfo company;
    Tsplashf about(company, QStringLiteral("/opt/tolvane/Tolvane"));
    int requests = 0;
    QObject::connect(&about, &Tsplashf::viewGraphsRequested, [&] { ++requests; });
    QObject::connect(&about, &Tsplashf::closeAllRequested, [&] { ++requests; });
    about.setModal(true);
    about.show();
    about.OKBClick();
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(requests, 0);
}

TEST(SplashWindow, TimerEndsOnlyAModalShowingAndStops)
{
    CompanyInfo company;
    Tsplashf modal(company, QStringLiteral("/opt/tolvane/Tolvane"));
    modal.setModal(true);
    modal.show();
    modal.Timer1Timer();
    EXPECT_FALSE(modal.isVisible());
    EXPECT_EQ(modal.result(), QDialog::Accepted);
    EXPECT_FALSE(modal.timer1()->isActive());

    Tsplashf exitScreen(company, QStringLiteral("/opt/tolvane/Tolvane"));
    exitScreen.show();
    exitScreen.Timer1Timer();
    EXPECT_TRUE(exitScreen.isVisible());
    EXPECT_FALSE(exitScreen.timer1()->isActive());
}

} // namespace
} // namespace tolvane
