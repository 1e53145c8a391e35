#pragma once
// Paths of the test fixture files and a scratch folder per test.
#include <QString>
#include <QTemporaryDir>

namespace tolvane::test {

inline QString fixturePath(const QString& name)
{
    return QStringLiteral(TOLVANE_FIXTURES_DIR "/") + name;
}

} // namespace tolvane::test
