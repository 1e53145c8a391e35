#pragma once
// Helpers shared by the run-analysis tests: a table as text rows, and a fixture file's lines.
#include <QStringList>

#include <gtest/gtest.h>

#include "core/analysis/run_table.h"
#include "core/common/text_file.h"
#include "support/fixtures.h"

namespace tolvane::test {

// Each row as its cells' texts joined by "|", e.g. "4520.00|12.10||35.00".
inline QStringList tableRows(const RunTable& table)
{
    QStringList rows;
    for (int r = 0; r < table.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < table.columnCount(); ++c)
            cells << table.cellText(r, c);
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

inline QStringList runFixture(const QString& name)
{
    const TextReadResult read = readTextLines(fixturePath(QStringLiteral("runs/") + name));
    EXPECT_TRUE(read.ok()) << name.toStdString();
    return read.lines;
}

} // namespace tolvane::test
