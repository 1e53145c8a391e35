#pragma once
// A Prompter that answers from a queue and records every request: the tests' operator, and the
// command-line tool's when it runs a whole test unattended.
#include <deque>
#include <functional>
#include <vector>

#include "core/common/prompter.h"

namespace tolvane {

class ScriptedPrompter final : public Prompter {
public:
    // Answers used in order; when a queue is empty the default answer is given.
    void queueAnswer(PromptAnswer answer) { m_answers.push_back(answer); }
    // nullopt queues a cancel.
    void queueInput(std::optional<QString> text)
    {
        m_inputs.push_back(Reply{text.has_value(), text.value_or(QString())});
    }
    void queueFile(std::optional<QString> path)
    {
        m_files.push_back(Reply{path.has_value(), path.value_or(QString())});
    }
    // nullopt queues a cancel; without a queued colour the dialog is cancelled.
    void queueColor(std::optional<QString> colorName)
    {
        m_colors.push_back(Reply{colorName.has_value(), colorName.value_or(QString())});
    }
    // A modal window's answer: the function may fill the window's fields as the operator would,
    // and returns whether it was accepted. Without one a window is accepted as it stands.
    using ModalAnswer = std::function<bool(QObject& dialog)>;
    void queueModal(ModalAnswer answer) { m_modals.push_back(std::move(answer)); }
    void setDefaultAnswer(PromptAnswer answer) { m_defaultAnswer = answer; }

    PromptAnswer ask(const PromptRequest& request) override;
    std::optional<QString> input(const QString& title, const QString& label, const QString& initial) override;
    std::optional<QString> chooseFile(const FileDialogRequest& request) override;
    std::optional<QString> chooseColor(const QString& initialColorName) override;
    bool runModal(QObject& dialog) override;
    bool openAddress(const QString& address) override;

    struct InputRequest {
        QString title;
        QString label;
        QString initial;
    };
    const std::vector<PromptRequest>& asked() const { return m_asked; }
    // The texts of every box asked, in order.
    QStringList askedTexts() const;
    const std::vector<InputRequest>& inputs() const { return m_inputRequests; }
    QStringList inputLabels() const;
    const std::vector<FileDialogRequest>& fileRequests() const { return m_fileRequests; }
    // The initial colour of every colour dialog shown.
    const QStringList& colorRequests() const { return m_colorRequests; }
    // The class name of every modal window shown ("TCngDir", ...).
    const QStringList& modalWindows() const { return m_modalWindows; }
    const QStringList& openedAddresses() const { return m_openedAddresses; }
    void clearRecord();

private:
    struct Reply {
        bool given = false;
        QString text;
    };
    static std::optional<QString> take(std::deque<Reply>& queue, std::optional<QString> fallback);

    std::deque<PromptAnswer> m_answers;
    std::deque<Reply> m_inputs;
    std::deque<Reply> m_files;
    std::deque<Reply> m_colors;
    std::deque<ModalAnswer> m_modals;
    PromptAnswer m_defaultAnswer = PromptAnswer::Ok;
    std::vector<PromptRequest> m_asked;
    std::vector<InputRequest> m_inputRequests;
    std::vector<FileDialogRequest> m_fileRequests;
    QStringList m_colorRequests;
    QStringList m_modalWindows;
    QStringList m_openedAddresses;
};

} // namespace tolvane
