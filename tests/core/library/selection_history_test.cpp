// The History as it is kept in the configuration: "File_Index" and "History 1" ... "History 10".
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/common/configuration.h"
#include "core/common/text_file.h"
#include "core/library/selection.h"
#include "support/fixtures.h"

namespace tolvane {
namespace {

TEST(SelectionHistoryTest, WrittenOverAnExistingHistoryAsTheGoldenFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ZezeDur_USB.Ini"));
    // An older history of ten entries, with the other sections around it left alone.
    ASSERT_TRUE(QFile::copy(test::fixturePath(QStringLiteral("library/history_before.Ini")), path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    Selection selection;
    for (int i = 1; i <= 12; ++i)
        selection.updateHistory(
            QStringLiteral("\\Ford\\Focus\\Smith\\%1dyno.STP").arg(i, 2, 10, QLatin1Char('0')));
    selection.updateHistory(QStringLiteral("\\Ford\\Focus\\Smith\\12dyno.STP")); // twice is allowed
    Configuration config(path, TextLocale::standard());
    ConfigChanges changes = config.changes();
    selection.writeHistory(changes, 3);
    ASSERT_FALSE(config.apply(changes));

    const QStringList written = readTextLines(path).lines;
    const QStringList golden =
        readTextLines(test::fixturePath(QStringLiteral("library/history_after.Ini"))).lines;
    for (qsizetype i = 0; i < std::max(written.size(), golden.size()); ++i)
        EXPECT_EQ(written.value(i, QStringLiteral("<missing>")), golden.value(i, QStringLiteral("<missing>")))
            << "line " << i + 1;
}

} // namespace
} // namespace tolvane
