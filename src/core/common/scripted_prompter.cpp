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

std::optional<QString> ScriptedPrompter::input(const QString& title, const QString& label,
                                               const QString& initial)
{
    m_inputRequests.push_back({title, label, initial});
    return take(m_inputs, initial);
}

std::optional<QString> ScriptedPrompter::chooseFile(const FileDialogRequest& request)
{
    m_fileRequests.push_back(request);
    return take(m_files, std::nullopt);
}

std::optional<QString> ScriptedPrompter::chooseColor(const QString& initialColorName)
{
    m_colorRequests.append(initialColorName);
    return take(m_colors, std::nullopt);
}

bool ScriptedPrompter::runModal(QObject& dialog)
{
    m_modalWindows.append(
        QString::fromLatin1(dialog.metaObject()->className()).section(QLatin1String("::"), -1));
    if (m_modals.empty())
        return true;
    const ModalAnswer answer = std::move(m_modals.front());
    m_modals.pop_front();
    return answer(dialog);
}

bool ScriptedPrompter::openAddress(const QString& address)
{
    m_openedAddresses.append(address);
    return true;
}

QStringList ScriptedPrompter::askedTexts() const
{
    QStringList texts;
    for (const PromptRequest& request : m_asked)
        texts.append(request.text);
    return texts;
}

QStringList ScriptedPrompter::inputLabels() const
{
    QStringList labels;
    for (const InputRequest& request : m_inputRequests)
        labels.append(request.label);
    return labels;
}

void ScriptedPrompter::clearRecord()
{
    m_asked.clear();
    m_inputRequests.clear();
    m_fileRequests.clear();
    m_colorRequests.clear();
    m_modalWindows.clear();
    m_openedAddresses.clear();
}

} // namespace tolvane
