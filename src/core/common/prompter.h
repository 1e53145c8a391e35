#pragma once
// Every message box, question, input box and file dialog goes through this interface, so logic in
// core can ask the operator without knowing about widgets. Titles, texts and button sets are
// passed exactly as the operator must see them. The windows implement it with Qt dialogs; tests
// and the command-line tool answer from a script.
#include <QString>
#include <QStringList>

#include <optional>

namespace tolvane {

enum class PromptIcon { None, Information, Warning, Error, Question };

enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel, Retry, RetryCancel, CancelIgnore };

enum class PromptAnswer { Ok, Cancel, Yes, No, Retry, Ignore };

struct PromptRequest {
    QString title;
    QString text;
    PromptIcon icon = PromptIcon::None;
    PromptButtons buttons = PromptButtons::Ok;
};

struct FileDialogRequest {
    enum class Kind { Open, Save, Folder };
    Kind kind = Kind::Open;
    QString title;
    QString directory;
    QString fileName;
    QString filter; // "Text files (*.txt);;All files (*)"
};

class Prompter {
public:
    virtual ~Prompter() = default;

    virtual PromptAnswer ask(const PromptRequest& request) = 0;
    // nullopt when the operator cancels.
    virtual std::optional<QString> input(const QString& title, const QString& label, const QString& initial) = 0;
    virtual std::optional<QString> chooseFile(const FileDialogRequest& request) = 0;

    // A plain notice with an OK button.
    void inform(const QString& title, const QString& text, PromptIcon icon = PromptIcon::None)
    {
        ask({title, text, icon, PromptButtons::Ok});
    }
};

} // namespace tolvane
