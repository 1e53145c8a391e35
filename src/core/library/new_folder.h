#pragma once
// Making a new folder of the test library from a typed path, with all missing parent folders. A
// folder that already exists counts as made: nothing is created and nothing is said. A failure is
// reported with the program's long-standing warning (its limit of fewer than 9 characters is only
// advice; no length test is made).
#include <QString>

namespace tolvane {

class Prompter;

// "Cannot Make " + path + "  Make Sure Dir. Does Not Exist and is Less than 9 Char."
QString cannotMakeFolderText(const QString& path);

// True when the folder exists afterwards; otherwise the operator was warned (OK button only).
bool makeNewFolder(const QString& path, Prompter& prompter);

} // namespace tolvane
