#pragma once
// Everything the program asks of the operator goes through this interface: message boxes,
// questions, input boxes, file and colour dialogs, the program's own modal windows and the web
// browser. Logic in core can ask without knowing about widgets, and one scripted double answers
// every question in the tests. Titles, texts and button sets are passed exactly as the operator
// must see them. The windows implement it with Qt dialogs; tests and the command-line tool answer
// from a script.
#include <QObject>
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
    virtual std::optional<QString> input(const QString& title, const QString& label,
                                         const QString& initial) = 0;
    virtual std::optional<QString> chooseFile(const FileDialogRequest& request) = 0;
    // The colour dialog, any colour allowed: the chosen colour as the toolkit names it ("clRed",
    // or the dialog's text form of a colour without a name), nullopt when the operator cancels.
    virtual std::optional<QString> chooseColor(const QString& initialColorName) = 0;
    // Shows one of the program's own dialogs modally: true when the operator accepted it.
    virtual bool runModal(QObject& dialog) = 0;
    // Opens a web address in the desktop's browser; false when none could be started.
    virtual bool openAddress(const QString& address) = 0;

    // A plain notice with an OK button.
    void inform(const QString& title, const QString& text, PromptIcon icon = PromptIcon::None)
    {
        ask({title, text, icon, PromptButtons::Ok});
    }
};

} // namespace tolvane
