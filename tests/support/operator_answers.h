#pragma once
// Answers of the scripted operator to the program's own dialogs, for the window tests.
#include <QLineEdit>
#include <QStringList>

#include <optional>

#include "core/common/scripted_prompter.h"
#include "ui/shell/make_dir_dialog.h"

namespace tolvane::test {

// The next Make New Directory dialog: the operator types path and presses OK, or cancels for
// nullopt. The text the dialog came up with is added to prefilled when given.
inline void queueNewFolder(ScriptedPrompter& prompter, std::optional<QString> path,
                           QStringList* prefilled = nullptr)
{
    prompter.queueModal([path, prefilled](QObject& dialog) {
        auto& makeDir = dynamic_cast<TMkDirF&>(dialog);
        if (prefilled != nullptr)
            prefilled->append(makeDir.NDir()->text());
        if (!path)
            return false;
        makeDir.NDir()->setText(*path);
        return true;
    });
}

} // namespace tolvane::test
