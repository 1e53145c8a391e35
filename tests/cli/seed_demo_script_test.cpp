// scripts/seed-demo: the demo data directory it makes and that it leaves a user's one alone.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <optional>
#include <utility>
#include <vector>

#include "core/common/text_file.h"
#include "support/tool_runner.h"

namespace {

int seed(const QString& data)
{
    return tolvane::test::runProgram(
               QStringLiteral("bash"),
               {QStringLiteral(TOLVANE_SOURCE_DIR "/scripts/seed-demo"), QStringLiteral(TOLVANE_TOOL), data})
        .exitCode;
}

QString key(const QStringList& ini, const QString& name)
{
    for (const QString& line : ini)
        if (line.startsWith(name + QLatin1Char('=')))
            return line.mid(name.size() + 1);
    return {};
}

// (engine rpm, power) of every data line of a test file: the lines between the column headings
// and "end." that start with two numbers.
std::vector<std::pair<double, double>> powerCurve(const QStringList& lines)
{
    std::vector<std::pair<double, double>> curve;
    qsizetype at = 0;
    while (at < lines.size() && !lines[at].startsWith(QStringLiteral("RPM\tMPH\t")))
        ++at;
    for (++at; at < lines.size() && lines[at] != QLatin1String("end."); ++at) {
        const QStringList f = lines[at].split(QLatin1Char('\t'));
        bool rpmOk = false;
        bool powerOk = false;
        const double rpm = f.value(0).toDouble(&rpmOk);
        const double power = f.value(2).toDouble(&powerOk);
        if (rpmOk && powerOk)
            curve.emplace_back(rpm, power);
    }
    return curve;
}

// The wheel power a model's demo runs may show: the litre bikes run the stock and tuned presets
// (about 156 and 168 hp at the wheel), the 600s the middleweight (about 103 hp).
std::optional<std::pair<double, double>> powerClass(const QString& model)
{
    if (model == QLatin1String("R1") || model == QLatin1String("ZX-10R"))
        return std::pair{140.0, 190.0};
    if (model == QLatin1String("CBR600RR") || model == QLatin1String("ZX-6R"))
        return std::pair{90.0, 125.0};
    return std::nullopt;
}

} // namespace

TEST(SeedDemoScript, SeedsConfigurationLibraryAndHistoryOnceOnly)
{
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("demo"));
    ASSERT_EQ(seed(data), 0);
    const QString iniPath = data + QStringLiteral("/ZezeDur_USB.Ini");
    const QStringList ini = tolvane::readTextLines(iniPath).lines;
    EXPECT_FALSE(key(ini, QStringLiteral("Company Name")).isEmpty());
    EXPECT_FALSE(key(ini, QStringLiteral("Company Addr")).isEmpty());
    EXPECT_EQ(key(ini, QStringLiteral("Road Speed")), QStringLiteral("MPH"));
    EXPECT_EQ(key(ini, QStringLiteral("Engine Speed")), QStringLiteral("RPM"));
    EXPECT_EQ(key(ini, QStringLiteral("Power")), QStringLiteral("BHP"));
    EXPECT_EQ(key(ini, QStringLiteral("Force")), QStringLiteral("Ft/Lbs"));
    EXPECT_EQ(key(ini, QStringLiteral("Power mf")), QStringLiteral("1000"));
    const QString root = key(ini, QStringLiteral("Root Directory"));
    EXPECT_EQ(QDir::cleanPath(root), QDir(data).canonicalPath() + QStringLiteral("/dynoruns"));
    EXPECT_EQ(key(ini, QStringLiteral("File_Index")), QStringLiteral("3"));
    EXPECT_EQ(key(ini, QStringLiteral("Main Right")), QStringLiteral("1280"));

    QSet<QString> makes;
    int steps = 0;
    int sweeps = 0;
    for (int n = 1; n <= 10; ++n) {
        const QString entry = key(ini, QStringLiteral("History %1").arg(n));
        if (entry.isEmpty())
            continue;
        SCOPED_TRACE(entry.toStdString());
        const tolvane::TextReadResult file = tolvane::readTextLines(
            root + QLatin1Char('/') + QString(entry).replace(QLatin1Char('\\'), QLatin1Char('/')));
        ASSERT_TRUE(file.ok());
        // The History names the file below the root with a leading separator; line 2 without it.
        ASSERT_TRUE(entry.startsWith(QLatin1Char('\\')));
        EXPECT_EQ(file.lines.value(1), entry.mid(1));
        makes.insert(entry.section(QLatin1Char('\\'), 1, 1));
        steps += entry.endsWith(QStringLiteral(".STP"));
        sweeps += entry.endsWith(QStringLiteral(".SWP"));
        if (n <= 3) {
            EXPECT_TRUE(entry.endsWith(QStringLiteral(".SWP"))); // the comparison opens sweeps
        }
    }
    EXPECT_GE(makes.size(), 2);
    EXPECT_GT(steps, 0);
    EXPECT_GT(sweeps, 0);

    // Every run's power fits the bike its folder names, and every sweep runs on past its power
    // peak: the curve turns over before the sheet ends, as a real dyno sheet does.
    int runs = 0;
    QDirIterator files(root, {QStringLiteral("*.STP"), QStringLiteral("*.SWP")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        SCOPED_TRACE(path.toStdString());
        ++runs;
        const tolvane::TextReadResult file = tolvane::readTextLines(path);
        ASSERT_TRUE(file.ok());
        const QString model = file.lines.value(1).section(QLatin1Char('\\'), 1, 1);
        const auto range = powerClass(model);
        if (!range) {
            ADD_FAILURE() << "no power class for the model " << model.toStdString();
            continue;
        }
        const auto curve = powerCurve(file.lines);
        ASSERT_GE(curve.size(), path.endsWith(QStringLiteral(".SWP")) ? 200u : 5u);
        const auto peak = std::max_element(curve.begin(), curve.end(),
                                           [](const auto& a, const auto& b) { return a.second < b.second; });
        EXPECT_GE(peak->second, range->first);
        EXPECT_LE(peak->second, range->second);
        if (path.endsWith(QStringLiteral(".SWP"))) {
            EXPECT_GE(curve.back().first - peak->first, 200.0);
            EXPECT_LT(curve.back().second, peak->second - 0.5);
        }
    }
    EXPECT_EQ(runs, 8);

    ASSERT_FALSE(tolvane::writeFileAtomically(iniPath, "[About]\r\nCompany Name=Mine\r\n"));
    ASSERT_EQ(seed(data), 0);
    EXPECT_EQ(tolvane::readTextLines(iniPath).lines, (QStringList{"[About]", "Company Name=Mine"}));
}
