// Choosing a power unit: the file holds the label and the integer factor at once, and the unit
// settings carry the label and the factor as a multiplier.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "core/common/configuration.h"
#include "core/setup/power_unit.h"
#include "core/setup/unit_settings.h"

using namespace tolvane;

TEST(PowerUnit, ChoosingWritesTheFileAndSetsTheSettings)
{
    const struct {
        PowerUnit unit;
        const char* label;
        int stored;
        double factor;
    } cases[] = {
        {PowerUnit::Bhp, "BHP", 1000, 1.0},
        {PowerUnit::Ps, "PS", 1014, 1.014},
        {PowerUnit::Kw, "KW", 746, 0.746},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        QTemporaryDir dir;
        Configuration config(dir.filePath(QStringLiteral("ZezeDur_USB.Ini")), TextLocale::standard());
        UnitSettings units;
        units.setPowerUnitLabel(QStringLiteral("other"));
        ASSERT_FALSE(choosePowerUnit(c.unit, config, units).has_value());

        const Configuration reread(config.path(), TextLocale::standard());
        EXPECT_EQ(reread.read(ConfigKeys::Power, QString()), QString::fromLatin1(c.label));
        EXPECT_EQ(reread.read(ConfigKeys::PowerMf, 0), c.stored);
        EXPECT_EQ(units.powerUnitLabel(), QString::fromLatin1(c.label));
        EXPECT_DOUBLE_EQ(units.powerFactor(), c.factor);

        // Loading the file again gives the same settings.
        UnitSettings loaded;
        loaded.load(reread);
        EXPECT_EQ(loaded.powerUnitLabel(), QString::fromLatin1(c.label));
        EXPECT_DOUBLE_EQ(loaded.powerFactor(), c.factor);
    }
}

TEST(PowerUnit, UnwritableFileLeavesTheSettingsAlone)
{
    QTemporaryDir dir;
    // A folder where the file should be: it cannot be replaced by a file.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("ZezeDur_USB.Ini")));
    Configuration config(dir.filePath(QStringLiteral("ZezeDur_USB.Ini")), TextLocale::standard());
    UnitSettings units;
    const auto error = choosePowerUnit(PowerUnit::Kw, config, units);
    ASSERT_TRUE(error.has_value());
    EXPECT_FALSE(error->message.isEmpty());
    EXPECT_EQ(units.powerUnitLabel(), QStringLiteral("BHP"));
    EXPECT_DOUBLE_EQ(units.powerFactor(), 1.0);
}
