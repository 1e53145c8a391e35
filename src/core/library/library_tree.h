#pragma once
// The test library as the browser walks it: the folders of one level (make, model, name,
// version), the files of a folder, and the levels of a file's place below the root.
//
// The make level lists every sub-folder. Below it only plain folders are listed: a folder that is
// hidden (its name starts with "."), that we may not write into, or that is a symbolic link is
// left out, as the lower levels of the library have always taken plain folders only.
#include <QString>
#include <QStringList>

namespace tolvane {

enum class LibraryLevel { Make, BelowMake };

// The make, model, name and version folders.
inline constexpr int LibraryLevelCount = 4;

// The sub-folder names of folder for that level, sorted without regard to case. A folder that
// cannot be read gives none.
QStringList listLibraryFolders(const QString& folder, LibraryLevel level);

// The files of folder (no folders, no hidden files), sorted without regard to case.
QStringList listLibraryFiles(const QString& folder);

// The folder names between root and the file, make first, at most LibraryLevelCount of them:
// ".../dynoruns/Ford/Focus/Smith/V2/01dyno.STP" under ".../dynoruns" gives Ford, Focus, Smith,
// V2. A file not below root gives none.
QStringList libraryFolderLevels(const QString& root, const QString& fullFilePath);

} // namespace tolvane
