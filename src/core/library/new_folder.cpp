#include "core/library/new_folder.h"

#include <QDir>
#include <QFileInfo>

#include "core/common/prompter.h"

namespace tolvane {

QString cannotMakeFolderText(const QString& path)
{
    return QStringLiteral("Cannot Make ") + path +
           QStringLiteral("  Make Sure Dir. Does Not Exist and is Less than 9 Char.");
}

bool makeNewFolder(const QString& path, Prompter& prompter)
{
    // An empty path would "make" the working folder; it is as much a failure as any other.
    if (!path.trimmed().isEmpty() && QDir().mkpath(path) && QFileInfo(path).isDir())
        return true;
    prompter.ask(
        {QStringLiteral("Warning"), cannotMakeFolderText(path), PromptIcon::Warning, PromptButtons::Ok});
    return false;
}

} // namespace tolvane
