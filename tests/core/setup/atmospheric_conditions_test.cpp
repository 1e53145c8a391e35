#include <gtest/gtest.h>

#include "core/common/scripted_prompter.h"
#include "core/setup/atmospheric_conditions.h"
#include "core/setup/run_conditions.h"
#include "core/setup/weather_record.h"

using namespace tolvane;

namespace {

const QString DegF = QStringLiteral(u"\u00B0F");
const QString DegC = QStringLiteral(u"\u00B0C");

struct Window {
    ScriptedPrompter prompter;
    RunConditions saveDialog;
    AtmosphericConditions conditions{saveDialog, prompter, TextLocale::standard()};
};

} // namespace

TEST(AtmosphericConditions, StartsWithStandardAirAndOnePercentHumidity)
{
    Window w;
    EXPECT_EQ(w.conditions.TmpB(), QLatin1String("77.00"));
    EXPECT_EQ(w.conditions.PSIB(), QLatin1String("29.22"));
    EXPECT_EQ(w.conditions.Humdtyb(), QLatin1String("1.00"));
    EXPECT_EQ(w.conditions.TmpL(), DegF);
    EXPECT_EQ(w.conditions.PreL(), QLatin1String("in / hg"));
    EXPECT_EQ(w.conditions.CorrectF(), QLatin1String("1.0004"));
    EXPECT_NEAR(w.conditions.CorrFactor(), 1.000378, 1e-6);
    EXPECT_TRUE(w.conditions.okEnabled());
    EXPECT_EQ(AtmosphericConditions::correctionStandards(), QStringList{QStringLiteral("SAE J1995")});
    // The save dialog starts with its own standard texts.
    EXPECT_EQ(w.saveDialog.temperature(), QLatin1String("+77.0"));
    EXPECT_EQ(w.saveDialog.pressure(), QLatin1String("29.22"));
    EXPECT_EQ(w.saveDialog.humidity(), QLatin1String("0.0"));
    EXPECT_EQ(w.saveDialog.correction(), QLatin1String("1.0000"));
    EXPECT_EQ(w.saveDialog.fileName(), QLatin1String("*.*"));
}

TEST(AtmosphericConditions, RefusedEntriesDisableOkAndKeepTheFactor)
{
    enum Entry { Temperature, Pressure, Humidity };
    struct Case {
        Entry entry;
        const char* text;
    };
    const Case cases[] = {
        {Temperature, "77x"}, {Pressure, ""},       {Humidity, "a"},      {Pressure, "0"},
        {Pressure, "0.00"},   {Temperature, "200"}, {Temperature, "-10"}, {Pressure, "-29.22"},
        {Humidity, "5000"}, // more water vapour than air: no dry air left
    };
    for (const Case& c : cases) {
        Window w;
        w.conditions.setHumdtyb(QStringLiteral("50"));
        ASSERT_EQ(w.conditions.CorrectF(), QLatin1String("1.0192"));
        const QString text = QString::fromLatin1(c.text);
        if (c.entry == Temperature)
            w.conditions.setTmpB(text);
        else if (c.entry == Pressure)
            w.conditions.setPSIB(text);
        else
            w.conditions.setHumdtyb(text);
        EXPECT_FALSE(w.conditions.okEnabled()) << c.text;
        EXPECT_EQ(w.conditions.CorrectF(), QLatin1String("1.0192")) << c.text;
        EXPECT_NEAR(w.conditions.CorrFactor(), 1.019192, 1e-6) << c.text;
        // OK and the unit commands do nothing while an entry is refused.
        EXPECT_EQ(w.conditions.OkBClick(), AtmosphericConditions::OkResult::Refused);
        w.conditions.TmpCDblClick();
        w.conditions.PSIBDblClick();
        EXPECT_EQ(w.conditions.TmpL(), DegF);
        EXPECT_EQ(w.conditions.PreL(), QLatin1String("in / hg"));
        EXPECT_EQ(w.saveDialog.correction(), QLatin1String("1.0000"));
        EXPECT_TRUE(w.prompter.asked().empty());
        // A number again brings OK back.
        if (c.entry == Temperature)
            w.conditions.setTmpB(QStringLiteral("77"));
        else if (c.entry == Pressure)
            w.conditions.setPSIB(QStringLiteral("29.22"));
        else
            w.conditions.setHumdtyb(QStringLiteral("50"));
        EXPECT_TRUE(w.conditions.okEnabled()) << c.text;
    }
}

TEST(AtmosphericConditions, UnitCommandsConvertWithHalfEvenRounding)
{
    Window w;
    w.conditions.setHumdtyb(QStringLiteral("0"));
    const QString standard = w.conditions.CorrectF();

    w.conditions.Centigrade1Click();
    EXPECT_EQ(w.conditions.TmpL(), DegC);
    EXPECT_EQ(w.conditions.TmpB(), QLatin1String("25.0"));
    EXPECT_EQ(w.conditions.CorrectF(), standard); // 25.0 °C is 77 °F
    w.conditions.Centigrade1Click();              // already °C: nothing
    EXPECT_EQ(w.conditions.TmpB(), QLatin1String("25.0"));
    w.conditions.TmpCDblClick(); // back to °F
    EXPECT_EQ(w.conditions.TmpL(), DegF);
    EXPECT_EQ(w.conditions.TmpB(), QLatin1String("77"));

    w.conditions.mb1Click();
    EXPECT_EQ(w.conditions.PreL(), QLatin1String("mb"));
    EXPECT_EQ(w.conditions.PSIB(), QLatin1String("989"));
    w.conditions.PSIBDblClick(); // back to in / hg: not restored exactly
    EXPECT_EQ(w.conditions.PreL(), QLatin1String("in / hg"));
    EXPECT_EQ(w.conditions.PSIB(), QLatin1String("29.21"));

    // Farhrenheit rounds x × 1.8 to an integer, halves to even, before adding 32.
    struct Case {
        const char* celsius;
        const char* fahrenheit;
    };
    const Case cases[] = {{"2.5", "36"}, {"7.5", "46"}, {"-2.5", "28"}, {"30.3", "87"}};
    for (const Case& c : cases) {
        Window v;
        v.conditions.Centigrade1Click();
        v.conditions.setTmpB(QString::fromLatin1(c.celsius));
        v.conditions.Farhrenheit1Click();
        EXPECT_EQ(v.conditions.TmpB(), QLatin1String(c.fahrenheit)) << c.celsius;
    }
    // 29.53 inHg × 33.863 = 999.97 mb; 1000 mb × 0.02953 = 29.53 inHg.
    Window m;
    m.conditions.setPSIB(QStringLiteral("29.53"));
    m.conditions.PSIBDblClick();
    EXPECT_EQ(m.conditions.PSIB(), QLatin1String("1000"));
    m.conditions.setPSIB(QStringLiteral("1013.25"));
    EXPECT_EQ(m.conditions.CorrectF(), QLatin1String("0.9727"));
    m.conditions.hg1Click();
    EXPECT_EQ(m.conditions.PSIB(), QLatin1String("29.92"));
}

TEST(AtmosphericConditions, OkWarnsOutsidePlausibleFactorsAndCopiesTheTextsAsShown)
{
    // At 77 °F and no humidity, 22.84 inHg gives 1.3296 and 22.83 gives 1.3303; 37.07 inHg gives
    // 0.7501 and 37.08 gives 0.7499.
    struct Case {
        const char* pressure;
        bool warns;
    };
    const Case cases[] = {{"22.84", false}, {"22.83", true}, {"37.07", false}, {"37.08", true}};
    for (const Case& c : cases) {
        Window w;
        w.conditions.setHumdtyb(QStringLiteral("0"));
        w.conditions.setPSIB(QString::fromLatin1(c.pressure));
        w.prompter.queueAnswer(PromptAnswer::Cancel);
        const auto result = w.conditions.OkBClick();
        EXPECT_EQ(result, c.warns ? AtmosphericConditions::OkResult::Cancelled
                                  : AtmosphericConditions::OkResult::Accepted)
            << c.pressure;
        ASSERT_EQ(w.prompter.asked().size(), c.warns ? 1u : 0u) << c.pressure;
        if (c.warns) {
            const PromptRequest& warning = w.prompter.asked().front();
            EXPECT_EQ(warning.text,
                      QStringLiteral("A correction factor of \"") + w.conditions.CorrectF() +
                          QStringLiteral("\" is probably incorrect!\nPress Ignore to use it anyways."));
            EXPECT_EQ(warning.buttons, PromptButtons::CancelIgnore);
            EXPECT_EQ(w.saveDialog.correction(), QLatin1String("1.0000")); // Cancel copies nothing
        } else {
            EXPECT_EQ(w.saveDialog.correction(), w.conditions.CorrectF());
        }
    }

    Window w;
    w.conditions.setPSIB(QStringLiteral("20"));
    w.conditions.Centigrade1Click();
    w.prompter.queueAnswer(PromptAnswer::Ignore);
    EXPECT_EQ(w.conditions.OkBClick(), AtmosphericConditions::OkResult::Accepted);
    EXPECT_EQ(w.saveDialog.temperature(), QLatin1String("25.0")); // in the units shown
    EXPECT_EQ(w.saveDialog.pressure(), QLatin1String("20"));
    EXPECT_EQ(w.saveDialog.humidity(), QLatin1String("1.00"));
    EXPECT_EQ(w.saveDialog.correction(), QLatin1String("1.5448")); // four decimals
}

TEST(AtmosphericConditions, SaveTakesStationValuesOnlyInsideTheExclusiveBounds)
{
    struct Case {
        double corr, temp, baro, humid;
        bool usable;
    };
    const Case cases[] = {
        {0.98765, 75.84, 29.884, 45, true}, {0.4, 75, 29.9, 45, false}, {1.6, 75, 29.9, 45, false},
        {0.41, 75, 29.9, 45, true},         {1.0, 10, 29.9, 45, false}, {1.0, 130, 29.9, 45, false},
        {1.0, 129.9, 29.9, 45, true},       {1.0, 75, 22, 45, false},   {1.0, 75, 34, 45, false},
        {1.0, 75, 33.99, 45, true},         {1.0, 75, 29.9, 0, false},  {1.0, 75, 29.9, 101, false},
        {1.0, 75, 29.9, 100, true},         {0.0, 0, 0, 0, false}, // no station
    };
    for (const Case& c : cases) {
        Window w;
        WeatherRecord station;
        station.setStationCorr(c.corr);
        station.setStationTemp(c.temp);
        station.setStationBaro(c.baro);
        station.setStationHumid(c.humid);
        EXPECT_EQ(AtmosphericConditions::stationValuesUsable(station), c.usable) << c.corr << ' ' << c.temp;
        const auto route = w.conditions.chooseConditionsForSave(station);
        EXPECT_EQ(route, c.usable ? AtmosphericConditions::SaveRoute::SaveDialog
                                  : AtmosphericConditions::SaveRoute::ConditionsWindow);
        if (!c.usable) {
            EXPECT_EQ(w.saveDialog.correction(), QLatin1String("1.0000"));
        }
    }

    // Station values reach the save dialog with the station's three-decimal factor, and the window's
    // entries switch back to the station's units.
    Window w;
    w.conditions.Centigrade1Click();
    w.conditions.mb1Click();
    WeatherRecord station;
    station.setStationCorr(0.98765);
    station.setStationTemp(75.84);
    station.setStationBaro(29.884);
    station.setStationHumid(45);
    ASSERT_EQ(w.conditions.chooseConditionsForSave(station), AtmosphericConditions::SaveRoute::SaveDialog);
    EXPECT_EQ(w.saveDialog.correction(), QLatin1String("0.988"));
    EXPECT_EQ(w.saveDialog.temperature(), QLatin1String("75.8"));
    EXPECT_EQ(w.saveDialog.pressure(), QLatin1String("29.88"));
    EXPECT_EQ(w.saveDialog.humidity(), QLatin1String("45"));
    EXPECT_EQ(w.conditions.TmpB(), QLatin1String("75.8"));
    EXPECT_EQ(w.conditions.TmpL(), DegF);
    EXPECT_EQ(w.conditions.PSIB(), QLatin1String("29.88"));
    EXPECT_EQ(w.conditions.PreL(), QLatin1String("in / hg"));
    EXPECT_EQ(w.conditions.Humdtyb(), QLatin1String("45"));
    EXPECT_EQ(w.conditions.CorrectF(), QLatin1String("0.9884")); // recomputed from the entries
}

TEST(AtmosphericConditions, EntriesUseTheLocaleDecimalSeparator)
{
    ScriptedPrompter prompter;
    RunConditions saveDialog;
    AtmosphericConditions conditions(saveDialog, prompter, TextLocale::withDecimal(QLatin1Char(',')));
    EXPECT_EQ(conditions.TmpB(), QLatin1String("77,00"));
    EXPECT_EQ(conditions.CorrectF(), QLatin1String("1,0004"));
    conditions.setPSIB(QStringLiteral("29,5"));
    EXPECT_TRUE(conditions.okEnabled());
    conditions.hg1Click(); // already in / hg
    conditions.mb1Click();
    EXPECT_EQ(conditions.PSIB(), QLatin1String("999"));
}

TEST(RunConditions, StandardResetsTheAtmosphericTextsOnly)
{
    RunConditions saveDialog;
    saveDialog.setFileName(QStringLiteral("05dyno.STP"));
    saveDialog.setAtmosphere(QStringLiteral("75.8"), QStringLiteral("29.88"), QStringLiteral("45"),
                             QStringLiteral("0.988"));
    int changes = 0;
    QObject::connect(&saveDialog, &RunConditions::atmosphereChanged, [&changes] { ++changes; });
    saveDialog.ResetAtmCClick();
    saveDialog.ResetAtmCClick();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(saveDialog.temperature(), QLatin1String("+77.0"));
    EXPECT_EQ(saveDialog.pressure(), QLatin1String("29.22"));
    EXPECT_EQ(saveDialog.humidity(), QLatin1String("0.0"));
    EXPECT_EQ(saveDialog.correction(), QLatin1String("1.0000"));
    EXPECT_EQ(saveDialog.fileName(), QLatin1String("05dyno.STP"));
}

TEST(WeatherRecord, StartsEmptyAndResetsToANeutralFactor)
{
    WeatherRecord station;
    EXPECT_EQ(station.StationCorr(), 0.0); // no station: never usable at save time
    EXPECT_FALSE(station.lastReplyAt().has_value());
    EXPECT_FALSE(AtmosphericConditions::stationValuesUsable(station));
    int changes = 0;
    QObject::connect(&station, &WeatherRecord::changed, [&changes] { ++changes; });
    station.setStationTemp(75.8);
    station.setStationTemp(75.8);
    station.noteReply(46000.5);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(station.lastReplyAt(), 46000.5);
    station.resetReadings();
    EXPECT_EQ(station.StationTemp(), 0.0);
    EXPECT_EQ(station.StationBaro(), 0.0);
    EXPECT_EQ(station.StationHumid(), 0.0);
    EXPECT_EQ(station.StationCorr(), 1.0);
}
