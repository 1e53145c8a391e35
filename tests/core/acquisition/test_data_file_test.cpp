#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/acquisition/test_data_file.h"
#include "core/common/text_file.h"
#include "support/fixtures.h"

using namespace tolvane;

namespace {

TestFileHeader sampleHeader()
{
    TestFileHeader h;
    h.relativePath = QStringLiteral("Yamaha\\R6\\Smith\\05dyno.STP");
    h.notes = {QStringLiteral("New exhaust"), QStringLiteral("Jet 132")};
    h.temperatureText = QStringLiteral("+77.0");
    h.pressureText = QStringLiteral("29.22");
    h.humidityText = QStringLiteral("0.0");
    h.correctionText = QStringLiteral("1.0500");
    h.tachRatio = 3.125;
    h.companyName = QStringLiteral("Tolvane Demo Shop");
    h.companyAddress = QStringLiteral("1 Roller Lane, 555-0100");
    h.savedAt = toDateTimeValue(QDateTime(QDate(2026, 1, 2), QTime(8, 30, 15)));
    return h;
}

// Compares to the end of both, so a missing or extra line at the end is caught.
void expectSameLines(const QStringList& actual, const QString& goldenName)
{
    const TextReadResult golden = readTextLines(test::fixturePath(goldenName));
    ASSERT_TRUE(golden.ok()) << golden.error->message.toStdString();
    const qsizetype n = std::max(actual.size(), golden.lines.size());
    for (qsizetype i = 0; i < n; ++i)
        EXPECT_EQ(actual.value(i, QStringLiteral("<missing>")), golden.lines.value(i, QStringLiteral("<missing>")))
            << goldenName.toStdString() << " line " << i + 1;
}

// A steady sweep: roller rpm rising 10 per 40 ms row, force 100, at 08:00:00.000 on.
GridRows sweepRows(int count, QChar sep = QLatin1Char('.'))
{
    GridRows rows;
    for (int i = 0; i < count; ++i) {
        const double day = toDateTimeValue(QDateTime(QDate(2026, 1, 2), QTime(8, 0))) + i * 40.0 / MsPerDay;
        rows.append({formatTimeOfDay(day, sep), QString::number(2000 + 10 * i) + QStringLiteral(".0"),
                     QStringLiteral("100.0"), QStringLiteral("0.040"), QStringLiteral("10.0"), QStringLiteral("0.0"),
                     QStringLiteral("0")});
    }
    return rows;
}

} // namespace

TEST(TestDataFile, StepFileMatchesItsGoldenFile)
{
    const QStringList records{
        QStringLiteral("c3000\tc12.1\tc20.0\tc35.0\t"), // warm-up: kept whatever the factor
        QStringLiteral("9000\t40.0\t100.0\t58.3\t"),
        QStringLiteral("10000\t44.4\t110.0\t57.8\t1.2\t150\t13.1\t0.5\t40\t0.0\t"), // with gas values
        QStringLiteral("short\tline"),
    };
    expectSameLines(buildStepFile(sampleHeader(), records, SetupBlockValues{}, TextLocale::standard()),
                    QStringLiteral("testfiles/step_golden.STP"));
}

TEST(TestDataFile, StepFileWithoutNotesHasHeadingsOnLineNine)
{
    TestFileHeader h = sampleHeader();
    h.notes.clear();
    const QStringList lines = buildStepFile(h, {QStringLiteral("9000\t40.0\t100.0\t58.3\t")}, {}, TextLocale::standard());
    EXPECT_TRUE(lines[8].startsWith(QLatin1String("RPM\tMPH\tBHP\tFt/Lbs\t")));
    EXPECT_EQ(lines[9], QLatin1String("9000\t40.0\t105.0\t61.2\t"));
    EXPECT_EQ(lines[10], QLatin1String("end."));
}

TEST(TestDataFile, CorrectionRewritesOnlyMeasuredLines)
{
    struct Case {
        const char* line;
        double factor;
        const char* expected;
    };
    const Case cases[] = {
        {"9000\t40.0\t100.0\t58.3\t", 1.05, "9000\t40.0\t105.0\t61.2\t"},
        {"c9000\tc40.0\tc100.0\tc58.3\t", 1.05, "c9000\tc40.0\tc100.0\tc58.3\t"},
        {"9000\t40.0\t100.0", 1.05, "9000\t40.0\t100.0"},             // fewer than four tabs
        {"9000\t40.0\t100.0\t58.3\tx\ty\t", 2.0, "9000\t40.0\t200.0\t116.6\tx\ty\t"},
        {"9000\t40.0\tabc\t58.3\t", 2.0, "9000\t40.0\tabc\t58.3\t"},  // not numbers: left alone
    };
    for (const Case& c : cases)
        EXPECT_EQ(applyCorrection(QString::fromLatin1(c.line), c.factor, TextLocale::standard()),
                  QString::fromLatin1(c.expected))
            << c.line;
    EXPECT_EQ(applyCorrection(QStringLiteral("9000\t40,0\t100,0\t58,3\t"), 1.05, TextLocale::withDecimal(QLatin1Char(','))),
              QLatin1String("9000\t40,0\t105,0\t61,2\t"));
}

TEST(TestDataFile, SweepFileMatchesItsGoldenFile)
{
    GridRows rows = sweepRows(30);
    rows[20][1] = QStringLiteral("n/a"); // a value that does not convert: the error line, then the line
    TestFileHeader h = sampleHeader();
    h.relativePath = QStringLiteral("Yamaha\\R6\\Smith\\06dyno.SWP");
    SweepPhysics p;
    p.tachRatio = 3.125;
    p.correction = 1.05;
    p.corrFactor = 1.05;
    expectSameLines(buildSweepFile(h, rows, p, SetupBlockValues{}, TextLocale::standard()),
                    QStringLiteral("testfiles/sweep_golden.SWP"));
}

TEST(TestDataFile, SweepOfEighteenRowsHasTheFrameButNoData)
{
    SweepPhysics p;
    p.tachRatio = 3.125;
    const QStringList lines = buildSweepFile(sampleHeader(), sweepRows(18), p, {}, TextLocale::standard());
    const qsizetype heading = lines.indexOf(QStringLiteral("RPM\tMPH\tBHP\tFt/Lbs\tAcc \tD_Tq \tS_Tq \tAngO \t"));
    ASSERT_GE(heading, 0);
    EXPECT_EQ(lines[heading + 1], QLatin1String(" "));
    EXPECT_EQ(lines[heading + 2], QLatin1String("end."));
    EXPECT_EQ(lines[3], QLatin1String("Max BHP:  0.00  @  0 RPM."));
    EXPECT_EQ(buildSweepFile(sampleHeader(), sweepRows(19), p, {}, TextLocale::standard()).size(), lines.size() + 1);
}

TEST(TestDataFile, SweepReadsACommaTimeColumnBack)
{
    SweepPhysics p;
    p.tachRatio = 3.125;
    const TextLocale comma = TextLocale::withDecimal(QLatin1Char(','));
    const TextLocale dot = TextLocale::standard();
    QStringList withComma = buildSweepFile(sampleHeader(), sweepRows(25, QLatin1Char(',')), p, {}, comma);
    QStringList withDot = buildSweepFile(sampleHeader(), sweepRows(25), p, {}, dot);
    ASSERT_EQ(withComma.size(), withDot.size());
    for (qsizetype i = 0; i < withDot.indexOf(QStringLiteral("end.")); ++i)
        EXPECT_EQ(QString(withComma[i]).replace(QLatin1Char(','), QLatin1Char('.')), withDot[i]) << i;
    EXPECT_FALSE(withComma.join(QLatin1Char('\n')).contains(QLatin1String("Conversion Error")));
}

TEST(TestDataFile, PurgeRemovesMarkedRowsButNeverTheLast)
{
    GridRows rows = sweepRows(6);
    rows[1][4] = QStringLiteral("10.0*1"); // rpm jump mark
    rows[2][5] = QStringLiteral("1*20.0"); // force jump mark
    rows[3][3] = QStringLiteral("1*0.500"); // a time mark alone does not purge
    rows[5][4] = QStringLiteral("x");      // the last row is not checked
    purgeMarkedRows(rows, TextLocale::standard());
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[1][3], QLatin1String("1*0.500"));
    EXPECT_EQ(rows[3][4], QLatin1String("x"));
}

TEST(TestDataFile, SetupBlockDiffersByKind)
{
    SetupBlockValues v;
    v.warmUp = true;
    const QStringList step = setupBlockLines(v, TestFileKind::Step);
    const QStringList sweep = setupBlockLines(v, TestFileKind::Sweep);
    ASSERT_EQ(step.size(), 20);
    ASSERT_EQ(sweep.size(), 18);
    EXPECT_EQ(step[3], QLatin1String("Weight:20"));
    EXPECT_EQ(sweep[3], QLatin1String("T fps/s:20"));
    EXPECT_EQ(step[4], QLatin1String("DrgCo:25"));
    EXPECT_EQ(sweep[4], QLatin1String("Hold:25"));
    EXPECT_EQ(step[10], QLatin1String("Warm up:True"));
    EXPECT_EQ(step[17], QLatin1String("fpss MF:16"));
    EXPECT_EQ(step[18], QLatin1String("Feedback DF:3"));
    EXPECT_EQ(step.back(), QLatin1String("--Test Setup--"));
    EXPECT_EQ(sweep.back(), QLatin1String("--Test Setup--"));
}
