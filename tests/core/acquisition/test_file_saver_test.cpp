#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/acquisition/inertia_dump.h"
#include "core/acquisition/record_backup.h"
#include "core/acquisition/test_file_saver.h"
#include "core/common/scripted_prompter.h"
#include "core/common/text_file.h"

using namespace tolvane;

namespace {

struct Library {
    QTemporaryDir dir;
    QString root() const { return dir.filePath(QStringLiteral("dynoruns")); }
    SaveTarget target(const QString& folder, const QString& name) const
    {
        return {root(), root() + QLatin1Char('/') + folder, name};
    }
};

auto linesWith(QString* seenRelative)
{
    return [seenRelative](const QString& relative) {
        *seenRelative = relative;
        return QStringList{QStringLiteral("header"), relative, QStringLiteral("end.")};
    };
}

} // namespace

TEST(TestFileSaver, WritesBelowTheRootWithBackslashLineTwo)
{
    Library lib;
    ScriptedPrompter prompter;
    QString relative;
    const SaveResult r = TestFileSaver(prompter).save(lib.target(QStringLiteral("Yamaha/R6/Smith"), QStringLiteral("05dyno.STP")),
                                                      linesWith(&relative));
    EXPECT_EQ(r.outcome, SaveOutcome::Written);
    EXPECT_EQ(relative, QLatin1String("Yamaha\\R6\\Smith\\05dyno.STP"));
    EXPECT_EQ(readTextLines(r.fullPath).lines.value(1), relative);
    EXPECT_TRUE(prompter.asked().empty());
}

TEST(TestFileSaver, AsksBeforeOverwritingAndKeepsTheOldFileOnCancel)
{
    struct Case {
        PromptAnswer answer;
        SaveOutcome outcome;
        const char* secondLine;
    };
    const Case cases[] = {{PromptAnswer::Cancel, SaveOutcome::Cancelled, "old"},
                          {PromptAnswer::Ok, SaveOutcome::Written, "Yamaha\\05dyno.STP"}};
    for (const Case& c : cases) {
        Library lib;
        QDir().mkpath(lib.root() + QStringLiteral("/Yamaha"));
        ASSERT_FALSE(writeTextLines(lib.root() + QStringLiteral("/Yamaha/05dyno.STP"), {QStringLiteral("x"), QStringLiteral("old")}));
        ScriptedPrompter prompter;
        prompter.queueAnswer(c.answer);
        QString relative;
        const SaveResult r = TestFileSaver(prompter).save(lib.target(QStringLiteral("Yamaha"), QStringLiteral("05dyno.STP")),
                                                          linesWith(&relative));
        EXPECT_EQ(r.outcome, c.outcome);
        ASSERT_EQ(prompter.asked().size(), 1u);
        EXPECT_EQ(prompter.asked()[0].text, QLatin1String("This file exists, would you like to overwrite?"));
        EXPECT_EQ(prompter.asked()[0].buttons, PromptButtons::OkCancel);
        EXPECT_EQ(readTextLines(r.fullPath).lines.value(1), QLatin1String(c.secondLine));
    }
}

TEST(TestFileSaver, RefusesTargetsOutsideTheLibrary)
{
    Library lib;
    const SaveTarget targets[] = {
        {lib.root(), lib.dir.path() + QStringLiteral("/elsewhere"), QStringLiteral("x.STP")},
        {lib.root(), lib.root() + QStringLiteral("/Yamaha"), QStringLiteral("..\\..\\x.STP")},
        {lib.root(), lib.root() + QStringLiteral("/Yamaha"), QStringLiteral("../x.STP")},
        {lib.root(), lib.root() + QStringLiteral("/Yamaha"), QString()},
    };
    for (const SaveTarget& t : targets) {
        ScriptedPrompter prompter;
        QString relative;
        const SaveResult r = TestFileSaver(prompter).save(t, linesWith(&relative));
        EXPECT_EQ(r.outcome, SaveOutcome::Refused) << t.fileName.toStdString();
        ASSERT_EQ(prompter.asked().size(), 1u);
        EXPECT_EQ(prompter.asked()[0].icon, PromptIcon::Error);
    }
    EXPECT_TRUE(QDir(lib.dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty());
}

TEST(TestFileSaver, ReportsAFailedWrite)
{
    Library lib;
    QDir().mkpath(lib.root());
    // A folder where the file should be: the write cannot succeed.
    QDir().mkpath(lib.root() + QStringLiteral("/Yamaha/05dyno.STP"));
    ScriptedPrompter prompter;
    prompter.queueAnswer(PromptAnswer::Ok); // "overwrite?"
    QString relative;
    const SaveResult r = TestFileSaver(prompter).save(lib.target(QStringLiteral("Yamaha"), QStringLiteral("05dyno.STP")),
                                                      linesWith(&relative));
    EXPECT_EQ(r.outcome, SaveOutcome::Failed);
    EXPECT_EQ(prompter.asked().back().icon, PromptIcon::Error);
}

TEST(RecordBackup, WritesOnlyAChangedMemoThatHoldsLines)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    EXPECT_FALSE(backUpRecordMemo(root, {}, true));
    EXPECT_FALSE(QFile::exists(backupPath(root, BackupKind::Step)));
    EXPECT_FALSE(backUpRecordMemo(root, {QStringLiteral("a"), QStringLiteral("b")}, false));
    EXPECT_FALSE(QFile::exists(backupPath(root, BackupKind::Step)));
    // The first record line of a test is worth keeping as much as any later one.
    EXPECT_FALSE(backUpRecordMemo(root, {QStringLiteral("only")}, true));
    EXPECT_EQ(loadRecordBackup(root, BackupKind::Step).lines, QStringList{QStringLiteral("only")});
    EXPECT_FALSE(backUpRecordMemo(root, {QStringLiteral("a"), QStringLiteral("b")}, true));
    EXPECT_EQ(loadRecordBackup(root, BackupKind::Step).lines, (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_TRUE(backupPath(root, BackupKind::Sweep).endsWith(QLatin1String("/Sweep_Backup")));
    EXPECT_FALSE(loadRecordBackup(root, BackupKind::Sweep).ok());
}

// A backup stays on offer until the memo is saved or cleared on purpose.
TEST(RecordBackup, LinesNeitherSavedNorClearedStayOnOffer)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    EXPECT_TRUE(unsavedBackup(root).isEmpty());
    const QStringList lines{QStringLiteral("a"), QStringLiteral("b")};
    ASSERT_FALSE(backUpRecordMemo(root, lines, true));
    EXPECT_EQ(unsavedBackup(root), lines);
    forgetUnsavedBackup(root);
    EXPECT_TRUE(unsavedBackup(root).isEmpty());
    // "Load backup" still finds the lines.
    EXPECT_EQ(loadRecordBackup(root, BackupKind::Step).lines, lines);
}

TEST(InertiaDump, TurnsRecordsIntoMemoLines)
{
    QTemporaryDir dir;
    InertiaRecorder recorder;
    ASSERT_FALSE(recorder.start(dir.filePath(QStringLiteral("Tst_Data.tmp"))));
    recorder.append({0.0, 1000.0, 30.0, 0.0});
    recorder.append({0.5, 1100.0, 31.5, 0.0});
    recorder.append({0.5, 1100.0, 31.5, 0.0}); // a repeated time gives no line
    recorder.append({1.0, 1150.0, 31.5, 0.0});
    const QByteArray bytes = recorder.finish();
    EXPECT_FALSE(recorder.isRunning());
    EXPECT_EQ(QFileInfo(dir.filePath(QStringLiteral("Tst_Data.tmp"))).size(), 0);

    // Times in time-step units. G = 31.5 / 3 + 1100 × 0.0021 = 12.81; α = 100 × 0.10472 / 0.5 = 20.944;
    // power = (2 × 20.944 + 12.81) × 1100 × 3 / 5252 = 34.367
    const QStringList lines = dumpInertiaRecords(bytes, 3.0, 2.0, TextLocale::standard());
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QLatin1String("33.00\t41.69\t34.37\t12.81\t20.94\t"));
    EXPECT_TRUE(dumpInertiaRecords(bytes.left(40), 3.0, 2.0, TextLocale::standard()).isEmpty()); // one record and a torn one
    EXPECT_TRUE(dumpInertiaRecords(bytes, 0.0, 2.0, TextLocale::standard()).isEmpty());
}

TEST(InertiaDump, AccelerationIsPerTimeStepUnitOfTheDecoder)
{
    // Two samples 40 ms apart, timed as the decoder times them: Δt = 0.0463 units (0.04 / 0.864 s),
    // α = 1 rpm × 0.10472 / Δt = 2.262; G = 30 / 3 + 1001 × 0.0021 = 12.102;
    // power = (3.5 × 2.262 + 12.102) × 1001 × 3 / 5252 = 11.45.
    const double day = 46024.0 + 8.0 / 24.0;
    QTemporaryDir dir;
    InertiaRecorder recorder;
    ASSERT_FALSE(recorder.start(dir.filePath(QStringLiteral("Tst_Data.tmp"))));
    recorder.append({InertiaRecord::timeUnits(day), 1000.0, 30.0, 3000.0});
    recorder.append({InertiaRecord::timeUnits(day + 40.0 / 86400000.0), 1001.0, 30.0, 3003.0});
    const QStringList lines = dumpInertiaRecords(recorder.finish(), 3.0, 3.5, TextLocale::standard());
    EXPECT_EQ(lines, QStringList{QStringLiteral("30.03\t37.94\t11.45\t12.10\t2.26\t")});
}
