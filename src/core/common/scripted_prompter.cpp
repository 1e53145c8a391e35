#include "core/common/scripted_prompter.h"

namespace tolvane {

std::optional<QString> ScriptedPrompter::take(std::deque<Reply>& queue, std::optional<QString> fallback)
{
    if (queue.empty())
        return fallback;
    const Reply reply = queue.front();
    queue.pop_front();
    if (!reply.given)
        return std::nullopt;
    return reply.text;
}

PromptAnswer ScriptedPrompter::ask(const PromptRequest& request)
{
    m_asked.push_back(request);
    if (m_answers.empty())
        return m_defaultAnswer;
    const PromptAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

std::optional<QString> ScriptedPrompter::input(const QString&, const QString& label, const QString& initial)
{
    m_inputLabels.push_back(label);
    return take(m_inputs, initial);
}

std::optional<QString> ScriptedPrompter::chooseFile(const FileDialogRequest& request)
{
    m_fileRequests.push_back(request);
    return take(m_files, std::nullopt);
}

void ScriptedPrompter::clearRecord()
{
    m_asked.clear();
    m_inputLabels.clear();
    m_fileRequests.clear();
}

} // namespace tolvane
