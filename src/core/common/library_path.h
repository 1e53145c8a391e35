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

// Every write that would leave the library is refused with this one text: "Nothing was written:
// <place> lies outside the test library <root>." place is a full path, or a file's stored path
// when that does not lead into the library.
QString outsideLibraryText(const QString& place, const QString& root);
// The refusal for a write of fullPath, nullopt when it lies inside root.
std::optional<QString> outsideLibraryRefusal(const QString& root, const QString& fullPath);
// The file a stored path (a file's line 2) names inside root, or the refusal.
struct LibraryTarget {
    std::optional<QString> path;
    QString refusal; // when there is no path
};
LibraryTarget storedPathTarget(const QString& root, const QString& storedPath);

} // namespace tolvane
