// The record memo: record lines, gas values appended to the newest line, the backup's modified mark.
#include <gtest/gtest.h>

#include "core/acquisition/record_memo.h"

namespace tolvane {
namespace {

TEST(RecordMemo, GasValuesGoToTheNewestLineAndChangesMarkItModified)
{
    RecordMemo memo;
    int changes = 0;
    QObject::connect(&memo, &RecordMemo::changed, [&] { ++changes; });
    EXPECT_FALSE(memo.isModified());

    memo.append(QStringLiteral("9000\t40.0\t100.0\t58.4\t"));
    memo.append(QStringLiteral("10000\t44.4\t110.0\t57.8\t"));
    memo.appendToLast(QStringLiteral("1.2\t150\t13.1\t0.9\t80\t0.0\t"));
    EXPECT_EQ(memo.lines(), (QStringList{QStringLiteral("9000\t40.0\t100.0\t58.4\t"),
                                         QStringLiteral("10000\t44.4\t110.0\t57.8\t1.2\t150\t13.1\t0.9\t80\t0.0\t")}));
    EXPECT_TRUE(memo.isModified());
    EXPECT_EQ(changes, 3);

    memo.clear();
    EXPECT_TRUE(memo.isEmpty());
    EXPECT_FALSE(memo.isModified());

    // Values that arrive after the memo was emptied are kept on a line of their own.
    memo.appendToLast(QStringLiteral("1.2\t"));
    EXPECT_EQ(memo.lines(), QStringList{QStringLiteral("1.2\t")});
}

} // namespace
} // namespace tolvane
