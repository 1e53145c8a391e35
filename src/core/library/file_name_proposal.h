#pragma once
// The name proposed for a new test file: a two-digit sequence number (the count of files already in
// the target folder plus one), the stem of the current run's name (less its own two-digit number and
// everything from its first "."), and the extension of the test type. The save dialog and the test
// setup propose with different extension tables; whichever proposed last stands.
#include <QString>

#include <optional>

#include "core/setup/test_type.h"

namespace tolvane {

class RunConditions;
class TestSetup;

// The save dialog's table: ".STP", ".PTH", ".SWP", ".QWS", ".SWP", ".SWP"; no test type chosen
// gives no extension. (The test setup's table is setupExtension().)
QString saveDialogExtension(std::optional<TestType> type);

// sequence + stem + extension, e.g. current file 05dyno.stp, four files listed, ".STP" -> 05dyno.STP.
QString proposeFileName(const QString& currentFile, int listedFileCount, const QString& extension);

// The files the save dialog's file list shows for a folder: plain files, not hidden ones (saved
// step scripts are hidden and do not count).
int countListedFiles(const QString& folder);

// The save dialog's proposal (a change of its folder or file list): into its file name.
void proposeSaveDialogFileName(RunConditions& saveDialog, const QString& currentFile,
                               std::optional<TestType> type);

// The test setup's proposal (a change of test type): into the save dialog's file name and NFName.
void proposeSetupFileName(TestSetup& setup, RunConditions& saveDialog, const QString& currentFile);

} // namespace tolvane
