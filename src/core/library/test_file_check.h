#pragma once
// What the browser checks before a file of the library is shown as a test run: system files are
// never opened, a file too short or too long to be a test file is refused, and a test file whose
// line 2 (its own place below the library root) no longer names where it lies is repaired.
#include <QString>
#include <QStringList>

namespace tolvane {

// Test files hold at least this many lines and at most TestFileMaxLines.
inline constexpr int TestFileMinLines = 16;
inline constexpr int TestFileMaxLines = 1000;

// "This file is off limits as it has a system extension."
QString systemExtensionText();
// "This file is off limits as it too large or small to be a valid test file."
QString testFileSizeText();

// ".EXE", ".INI", ".DLL", ".BAT" or ".SYS" anywhere in the path, written in upper case.
bool hasSystemExtension(const QString& path);
// From TestFileMinLines to TestFileMaxLines lines.
bool hasTestFileSize(qsizetype lineCount);

// A test data file names the dyno on its first line ("QV512e -USB- Auto Step   ...",
// "QV512e Auto Sweep   ..."), as the setup reader recognises a run by it. Any other text file
// in the library (a customer's notes, a price list) is never rewritten by the program.
bool isTestDataFile(const QStringList& lines);

// The outcome of comparing a test file's line 2 with the place it was read from.
struct StoredPathRepair {
    enum class Outcome {
        Unchanged,      // line 2 names the file (case ignored), or the text has no line 2
        Repaired,       // lines holds the text with line 2 naming the file; save it to the file itself
        OutsideLibrary, // the file does not lie below the root: nothing may be written for it
    };
    Outcome outcome = Outcome::Unchanged;
    QStringList lines;
    QString message; // for OutsideLibrary: what the operator is told
};

// A file moved or renamed outside the program repairs its own line 2 the first time it is opened.
// Line 2 is only ever rewritten to the file's own place, so a line 2 leading out of the library
// ("..\..\x") can never choose where the program writes.
// Only a test data file is ever repaired; any other text is Unchanged.
StoredPathRepair checkStoredPath(const QString& root, const QString& fullPath, const QStringList& lines);

} // namespace tolvane
