#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "core/common/text_file.h"

using namespace tolvane;

TEST(TextFile, SplitsAtCrLfAndLfAlone)
{
    struct Case {
        QByteArray bytes;
        QStringList lines;
    };
    const Case cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\n\r\nb\n", {"a", "", "b"}},
        {"", {}},
        {"\r\n", {""}},
        {"x\ry\n", {"x\ry"}}, // a lone CR is data, not a line end
    };
    for (const Case& c : cases)
        EXPECT_EQ(splitLines(c.bytes), c.lines) << c.bytes.toStdString();
}

TEST(TextFile, EveryByteRoundTrips)
{
    QTemporaryDir dir;
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        if (b != '\n' && b != '\r')
            all.append(static_cast<char>(b));
    const QString path = dir.filePath(QStringLiteral("bytes.txt"));
    ASSERT_FALSE(writeTextLines(path, {QString::fromLatin1(all), QStringLiteral("end.")}));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), all + "\r\nend.\r\n");
    const TextReadResult back = readTextLines(path);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.lines.value(0).toLatin1(), all);
}

// Both ways of waiting for the disk replace the file whole, leave no temporary file behind and
// keep the old file when the write fails.
TEST(TextFile, AtomicWritesReplaceOrKeepTheOldFileAndSayWhy)
{
    for (const DiskWait wait : {DiskWait::Flushed, DiskWait::Cached}) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("keep.txt"));
        ASSERT_FALSE(writeTextLines(path, {QStringLiteral("old")}, wait));
        ASSERT_FALSE(writeTextLines(path, {QStringLiteral("new"), QStringLiteral("lines")}, wait));
        EXPECT_EQ(readTextLines(path).lines, (QStringList{QStringLiteral("new"), QStringLiteral("lines")}));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("keep.txt")});
        EXPECT_TRUE(QFileInfo(path).permissions().testFlag(QFileDevice::ReadOther));

        const QString missingDir = dir.filePath(QStringLiteral("no/such/dir/x.txt"));
        const auto error = writeTextLines(missingDir, {QStringLiteral("x")}, wait);
        ASSERT_TRUE(error);
        EXPECT_TRUE(error->message.contains(missingDir));
        EXPECT_EQ(readTextLines(path).lines.value(0), QStringLiteral("new"));
    }
}

TEST(TextFile, ReadingAMissingFileSaysSo)
{
    QTemporaryDir dir;

    const TextReadResult missing = readTextLines(dir.filePath(QStringLiteral("absent.txt")));
    EXPECT_FALSE(missing.ok());
    EXPECT_TRUE(missing.lines.isEmpty());
}
