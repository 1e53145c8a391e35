#pragma once
// Paths inside the test library. Files store paths relative to the library root with backslash
// separators, so a library moves between Windows and Linux; conversion happens only here, at the
// file-system edge. A stored path may come from an edited or foreign file, so turning it into a
// place to write is checked: it must stay inside the root.
#include <QString>

#include <optional>

namespace tolvane {

// "Ford\Focus\Smith\01dyno.STP" <-> "Ford/Focus/Smith/01dyno.STP".
QString toStoredPath(const QString& relativePath);
QString fromStoredPath(const QString& storedPath);

// The stored form of a full path below root ("" when it is not below root).
QString storedPathBelow(const QString& root, const QString& fullPath);

// root + stored relative path, cleaned; nullopt when the result would leave the root (".." parts,
// a drive letter). Leading separators are ignored: the path is relative to the root either way.
std::optional<QString> resolveInsideRoot(const QString& root, const QString& storedPath);

} // namespace tolvane
