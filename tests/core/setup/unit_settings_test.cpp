#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/common/text_file.h"
#include "core/setup/unit_settings.h"
#include "support/fixtures.h"

using namespace tolvane;

namespace {

void expectSameLines(const QString& actualPath, const QString& goldenPath)
{
    const TextReadResult actual = readTextLines(actualPath);
    const TextReadResult golden = readTextLines(goldenPath);
    ASSERT_TRUE(actual.ok());
    ASSERT_TRUE(golden.ok());
    for (qsizetype i = 0; i < std::max(actual.lines.size(), golden.lines.size()); ++i)
        EXPECT_EQ(actual.lines.value(i, QStringLiteral("<missing>")),
                  golden.lines.value(i, QStringLiteral("<missing>")))
            << "line " << i + 1;
}

} // namespace

TEST(UnitSettings, MissingFileGivesTheDefaults)
{
    QTemporaryDir dir;
    UnitSettings units;
    units.setRoadSpeedUnit(QStringLiteral("KPH"));
    units.load(Configuration(dir.filePath(QStringLiteral("none.Ini")), TextLocale::standard()));
    EXPECT_EQ(units.roadSpeedUnit(), QStringLiteral("MPH"));
    EXPECT_EQ(units.engineSpeedUnit(), QStringLiteral("RPM"));
    EXPECT_EQ(units.powerUnitLabel(), QStringLiteral("BHP"));
    EXPECT_EQ(units.forceUnit(), QStringLiteral("Ft/Lbs"));
    EXPECT_EQ(units.egaHeadings(), QStringLiteral("CO \tHC \tCO2 \tO2 \tFlux\t"));
    EXPECT_EQ(units.speedFactor(), 1.0);
    EXPECT_EQ(units.forceFactor(), 1.0);
    EXPECT_EQ(units.powerFactor(), 1.0);
    EXPECT_EQ(units.inertiaFactor(), 2.5);
    EXPECT_EQ(units.acqComPort(), 1);
    EXPECT_EQ(units.egaComPort(), 0);
    EXPECT_EQ(units.egaDelay(), 3);
    EXPECT_FALSE(units.usbBlackBox());
}

TEST(UnitSettings, LoadsTheStoredValuesDividingMultipliersBy1000)
{
    UnitSettings units;
    int changed = 0;
    QObject::connect(&units, &UnitSettings::changed, [&] { ++changed; });
    units.load(
        Configuration(test::fixturePath(QStringLiteral("ini/ZezeDur_USB.Ini")), TextLocale::standard()));
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(units.roadSpeedUnit(), QStringLiteral("KPH"));
    EXPECT_EQ(units.powerFactor(), 1.014);
    EXPECT_EQ(units.inertiaFactor(), 2.5);
    EXPECT_EQ(units.speedFactor(), 1.0); // absent
    EXPECT_EQ(units.acqComPort(), 10);   // "$0A"
    EXPECT_TRUE(units.usbBlackBox());
}

TEST(UnitSettings, StoredMultipliersRoundHalvesToEvenAndInertiaNeverZero)
{
    struct Case {
        double factor;
        qint64 multiplier;
        qint64 inertia;
    };
    const Case cases[] = {
        {1.014, 1014, 1014},     {0.746, 746, 746},    {2.5, 2500, 2500}, {0.0004, 0, 2800},
        {0.0005, 0, 2800},       {0.0015, 2, 2},       {0.0025, 2, 2},    {-0.0004, 0, 2800},
        {1.0004999, 1000, 1000}, {1.0006, 1001, 1001}, {0.0, 0, 2800},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UnitSettings::storedMultiplier(c.factor), c.multiplier) << c.factor;
        EXPECT_EQ(UnitSettings::storedInertia(c.factor), c.inertia) << c.factor;
    }
}

TEST(UnitSettings, SavesItsKeysInFileOrder)
{
    QTemporaryDir dir;
    Configuration config(dir.filePath(QStringLiteral("ZezeDur_USB.Ini")), TextLocale::standard());
    UnitSettings units;
    units.setAcqComPort(4);
    units.setUsbBlackBox(true);
    units.setEgaComPort(2);
    units.setEgaDelay(5);
    units.setRoadSpeedUnit(QStringLiteral("KPH"));
    units.setPowerUnitLabel(QStringLiteral("PS"));
    units.setForceUnit(QStringLiteral("N.m"));
    units.setSpeedFactor(1.609344);
    units.setForceFactor(1.3558);
    units.setPowerFactor(1.014);
    units.setInertiaFactor(0.0004);
    ConfigChanges changes = config.changes();
    units.save(changes);
    ASSERT_FALSE(config.apply(changes));
    expectSameLines(config.path(), test::fixturePath(QStringLiteral("ini/unit_settings_saved.Ini")));

    UnitSettings back;
    back.load(config);
    EXPECT_EQ(back.speedFactor(), 1.609);
    EXPECT_EQ(back.inertiaFactor(), 2.8);
    EXPECT_EQ(back.forceUnit(), QStringLiteral("N.m"));
    EXPECT_EQ(back.egaHeadings(), units.egaHeadings()); // the trailing tab survives
}

TEST(UnitSettings, SaveKeepsTheRestOfTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ZezeDur_USB.Ini"));
    ASSERT_TRUE(QFile::copy(test::fixturePath(QStringLiteral("ini/ZezeDur_USB.Ini")), path));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    Configuration config(path, TextLocale::standard());
    UnitSettings units;
    units.load(config);
    ConfigChanges changes = config.changes();
    units.save(changes);
    ASSERT_FALSE(config.apply(changes));
    // Keys the units do not own are untouched, whatever their case or content.
    EXPECT_EQ(config.read(ConfigSettings::LoadOff), 2.5);
    EXPECT_EQ(config.read(ConfigKeys::CompanyName, {}), QString::fromLatin1("Bj\xf6rk Speed Shop"));
    EXPECT_EQ(config.read(ConfigSettings::ShowHelp), QStringLiteral("true"));
    EXPECT_EQ(config.read(ConfigKeys::Power, {}), QStringLiteral("BHP"));
    EXPECT_EQ(config.read(ConfigSettings::AcqComPort), 10);
}

TEST(UnitSettings, SettersSignalOnlyRealChanges)
{
    UnitSettings units;
    int changed = 0;
    QObject::connect(&units, &UnitSettings::changed, [&] { ++changed; });
    units.setPowerUnitLabel(QStringLiteral("BHP"));
    units.setPowerFactor(1.0);
    EXPECT_EQ(changed, 0);
    units.setPowerUnitLabel(QStringLiteral("KW"));
    units.setPowerFactor(0.746);
    units.setEgaComPort(3);
    EXPECT_EQ(changed, 3);
}
