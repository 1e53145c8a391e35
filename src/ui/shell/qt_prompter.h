#pragma once
// The operator's Prompter: message boxes, input boxes, file and colour dialogs and the program's
// modal windows shown with Qt, web addresses opened in the desktop's browser.
#include <QMessageBox>

#include <memory>

#include "core/common/prompter.h"

class QWidget;

namespace tolvane {

class QtPrompter final : public Prompter {
public:
    // Dialogs are centred over parent (nullptr: over the screen).
    explicit QtPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    PromptAnswer ask(const PromptRequest& request) override;
    std::optional<QString> input(const QString& title, const QString& label, const QString& initial) override;
    std::optional<QString> chooseFile(const FileDialogRequest& request) override;
    std::optional<QString> chooseColor(const QString& initialColorName) override;
    // dialog must be a QDialog; anything else is not shown and counts as cancelled.
    bool runModal(QObject& dialog) override;
    bool openAddress(const QString& address) override;

private:
    QWidget* m_parent;
};

// The message box of a request, ready to be shown: title, text, icon and buttons as asked.
std::unique_ptr<QMessageBox> makeMessageBox(const PromptRequest& request, QWidget* parent);
// The standard buttons of a button set.
QMessageBox::StandardButtons standardButtonsOf(PromptButtons buttons);
// The answer a clicked button gives; a box closed without a button (Escape on a box whose
// buttons offer no way back) counts as Cancel.
PromptAnswer answerOf(QMessageBox::StandardButton button);

} // namespace tolvane
