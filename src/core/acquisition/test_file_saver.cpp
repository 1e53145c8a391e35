#include "core/acquisition/test_file_saver.h"

#include <QDir>
#include <QFileInfo>

#include "core/common/library_path.h"
#include "core/common/text_file.h"

namespace tolvane {

namespace {

bool isPlainFileName(const QString& name)
{
    return !name.trimmed().isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
           && name != QLatin1String(".") && name != QLatin1String("..");
}

} // namespace

SaveResult TestFileSaver::save(const SaveTarget& target, const std::function<QStringList(const QString&)>& buildLines)
{
    SaveResult result;
    result.fullPath = QDir::cleanPath(fromStoredPath(target.directory) + QLatin1Char('/') + target.fileName);
    const QString relative = storedPathBelow(target.libraryRoot, result.fullPath);
    if (!isPlainFileName(target.fileName) || relative.isEmpty()) {
        // Line 2 of every test file locates it inside the library; a file elsewhere could not be
        // found again and its path would point readers outside the library.
        m_prompter.inform(QStringLiteral("Error"),
                          QStringLiteral("The test can only be saved as a file inside the test library (%1); "
                                         "\"%2\" is not. Nothing was written.")
                              .arg(QDir::toNativeSeparators(target.libraryRoot), QDir::toNativeSeparators(result.fullPath)),
                          PromptIcon::Error);
        result.outcome = SaveOutcome::Refused;
        return result;
    }
    if (QFileInfo::exists(result.fullPath)) {
        const PromptAnswer answer = m_prompter.ask({QStringLiteral("Confirm"),
                                                    QStringLiteral("This file exists, would you like to overwrite?"),
                                                    PromptIcon::Question, PromptButtons::OkCancel});
        if (answer != PromptAnswer::Ok) {
            result.outcome = SaveOutcome::Cancelled;
            return result;
        }
    }
    QDir().mkpath(QFileInfo(result.fullPath).absolutePath());
    if (const auto error = writeTextLines(result.fullPath, buildLines(relative))) {
        m_prompter.inform(QStringLiteral("Error"), error->message, PromptIcon::Error);
        result.outcome = SaveOutcome::Failed;
        return result;
    }
    result.outcome = SaveOutcome::Written;
    return result;
}

} // namespace tolvane
