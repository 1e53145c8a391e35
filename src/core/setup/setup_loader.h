#pragma once
// Filling the test setup from elsewhere and handing it on: from the header and setup block of the
// test the viewer shows (ReadVals, LoadNotes), from the default setup file "Test.Prm"
// (DefaultValues, read only), the folder labels from the current test's place in the library
// (WrtNewDirs), and the model's part of "Test" (ApplyBClick).
#include <QString>
#include <QStringList>

#include "core/common/prompter.h"

namespace tolvane {

class RunConditions;
class TestSetup;
class UnitSettings;

// The test the viewer shows.
struct SelectedTest {
    QString currentFile; // full path; empty when there is none
    QStringList lines;   // its text as the viewer holds it
};

// Restores the setup of the selected test from its header lines (first "USB Black Box" from the
// unit settings); without a current file, warns "Loading Last Setup!" and loads the default setup
// file (testPrmPath) instead. Afterwards the script search is
// pending (the caller runs it now when the setup window is visible), the save dialog points at the
// test's folder and name, and the reference-file labels name the test.
void ReadVals(TestSetup& setup, const UnitSettings& units, RunConditions& saveDialog,
              const SelectedTest& selected, const QString& testPrmPath, Prompter& prompter);

// Applies every setup key found in the lines (a key is expected at the start of its line; lines of
// 100 characters or more are skipped; a value that does not convert leaves the value unchanged).
void applySetupLines(TestSetup& setup, const QStringList& lines);

// The selected test's note lines (those holding a colon followed by a tab) into the setup's notes
// and the save dialog's.
void LoadNotes(TestSetup& setup, RunConditions& saveDialog, const QStringList& lines);

// Reads the default setup file, lines in a fixed order. A missing or short file keeps what was read
// so far without a message; a line that should be a number and is not is reported through the
// prompter and ends the reading there.
void DefaultValues(TestSetup& setup, const QString& testPrmPath, Prompter& prompter);

// NFName from the save dialog's file name, RootDirL from the library root, and the make, model,
// owner and extra labels from the current test's folder below the root (each with a leading blank;
// a level that does not exist, or a folder outside the root, leaves its label empty).
void WrtNewDirs(TestSetup& setup, const RunConditions& saveDialog, const QString& rootDirectory,
                const QString& currentFile);

// "Test": an empty script gets the default one, the save dialog takes the new test's name and the
// gas-analyzer delay takes the sample delay. Returns the new current file: the current test's folder
// with the new name (unchanged while there is no current file or no new name). Showing the test
// windows is the windows' part.
QString ApplyBClick(TestSetup& setup, RunConditions& saveDialog, UnitSettings& units,
                    const QString& currentFile);

} // namespace tolvane
