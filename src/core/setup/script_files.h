#pragma once
// The file side of the step script (the setup's "Script Files" page): the list of ".Script" files
// of one folder, loading one into the script, saving the script, and the offer of a script found in
// the current test's folder. Script files are plain 8-bit text, one line per script line, CR LF.
//
// Saved scripts get the hidden attribute where the file system has one (Windows). Linux has no
// such attribute (hiding there means a leading dot, which would rename the file), so a saved
// script stays visible there; the list shows hidden and normal files alike either way.
#include <QString>
#include <QStringList>

#include <optional>

#include "core/common/prompter.h"
#include "core/common/text_file.h"

namespace tolvane {

class TestSetup;

// The ".Script" files of a folder, normal and hidden, in the file list's order (by name, ignoring
// case).
QStringList listScriptFiles(const QString& directory);

// The chosen name with ".Script" appended unless it already contains it.
QString scriptFilePath(const QString& chosen);

// Writes the lines atomically and marks the file hidden where the platform can.
std::optional<FileError> saveScriptFile(const QString& path, const QStringList& lines);

class ScriptFiles {
public:
    enum class Page { ScriptFiles, RecordingParameters };

    ScriptFiles(TestSetup& setup, Prompter& prompter) : m_setup(setup), m_prompter(prompter) {}

    // The folder the file list shows.
    const QString& directory() const { return m_directory; }
    QStringList files() const { return listScriptFiles(m_directory); }

    // The pending search: the list moves to the current test's folder; when it holds a script the
    // operator is asked whether to use it (Yes loads the last one listed). Returns the page to bring
    // to the front, nothing when the folder holds no script.
    std::optional<Page> ChkScript(const QString& currentFile);
    // A click on a listed file loads it. False when it could not be read (the operator was told
    // and the script is unchanged).
    bool ScriptLBDblClick(const QString& fileName);
    // "Browse...": load a script from any folder; the list keeps its folder.
    bool BrowseScriptClick();
    // "Save As...": save the script under a chosen name.
    bool SaveScriptClick();

private:
    bool load(const QString& path);

    TestSetup& m_setup;
    Prompter& m_prompter;
    QString m_directory;
};

} // namespace tolvane
