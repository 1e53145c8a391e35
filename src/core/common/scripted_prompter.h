#pragma once
// A Prompter that answers from a queue and records every request: the tests' operator, and the
// command-line tool's when it runs a whole test unattended.
#include <deque>
#include <vector>

#include "core/common/prompter.h"

namespace tolvane {

class ScriptedPrompter final : public Prompter {
public:
    // Answers used in order; when a queue is empty the default answer is given.
    void queueAnswer(PromptAnswer answer) { m_answers.push_back(answer); }
    // nullopt queues a cancel.
    void queueInput(std::optional<QString> text) { m_inputs.push_back(Reply{text.has_value(), text.value_or(QString())}); }
    void queueFile(std::optional<QString> path) { m_files.push_back(Reply{path.has_value(), path.value_or(QString())}); }
    void setDefaultAnswer(PromptAnswer answer) { m_defaultAnswer = answer; }

    PromptAnswer ask(const PromptRequest& request) override;
    std::optional<QString> input(const QString& title, const QString& label, const QString& initial) override;
    std::optional<QString> chooseFile(const FileDialogRequest& request) override;

    const std::vector<PromptRequest>& asked() const { return m_asked; }
    const std::vector<QString>& inputLabels() const { return m_inputLabels; }
    const std::vector<FileDialogRequest>& fileRequests() const { return m_fileRequests; }
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
    PromptAnswer m_defaultAnswer = PromptAnswer::Ok;
    std::vector<PromptRequest> m_asked;
    std::vector<QString> m_inputLabels;
    std::vector<FileDialogRequest> m_fileRequests;
};

} // namespace tolvane
