#include "ui/acquisition/step_memo_binding.h"

#include <QPlainTextEdit>
#include <QTextCursor>

#include "core/acquisition/record_backup.h"
#include "core/acquisition/record_memo.h"
#include "core/common/prompter.h"

namespace tolvane {

StepMemoBinding::StepMemoBinding(QPlainTextEdit& view, RecordMemo& memo, Prompter& prompter,
                                 std::function<QString()> libraryRoot, QObject* parent)
    : QObject(parent), m_view(view), m_memo(memo), m_prompter(prompter), m_libraryRoot(std::move(libraryRoot))
{
    connect(&m_memo, &RecordMemo::changed, this, &StepMemoBinding::onMemoChanged);
    connect(&m_view, &QPlainTextEdit::textChanged, this, &StepMemoBinding::takeEdit);
    showMemo();
}

void StepMemoBinding::showMemo()
{
    if (m_editing)
        return;
    m_showing = true;
    m_view.setPlainText(m_memo.lines().join(QLatin1Char('\n')));
    m_view.moveCursor(QTextCursor::End);
    m_showing = false;
}

void StepMemoBinding::takeEdit()
{
    if (m_showing)
        return;
    m_editing = true;
    QStringList lines = m_view.toPlainText().split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast(); // the line the cursor stands on after the last Enter
    m_memo.setLines(lines);
    m_editing = false;
}

void StepMemoBinding::onMemoChanged()
{
    showMemo();
    if (m_memo.isEmpty()) {
        forgetUnsavedBackup(m_libraryRoot());
        return;
    }
    const std::optional<FileError> error = backUpRecordMemo(m_libraryRoot(), m_memo.lines(), m_memo.isModified());
    if (error && !m_errorShown) {
        m_errorShown = true; // once, not at every record line
        m_prompter.inform(QStringLiteral("Backup"), error->message, PromptIcon::Warning);
    }
}

QStringList StepMemoBinding::unsavedBackup() const
{
    return m_memo.isEmpty() ? tolvane::unsavedBackup(m_libraryRoot()) : QStringList();
}

void StepMemoBinding::offerBackup(const QStringList& lines)
{
    const PromptAnswer answer =
        m_prompter.ask({OfferTitle, OfferText, PromptIcon::Question, PromptButtons::YesNo});
    if (answer == PromptAnswer::Yes && m_memo.isEmpty())
        m_memo.setLines(lines);
    else
        forgetUnsavedBackup(m_libraryRoot());
}

void StepMemoBinding::loadBackup()
{
    const TextReadResult backup = loadRecordBackup(m_libraryRoot(), BackupKind::Step);
    if (!backup.ok()) {
        m_prompter.inform(QStringLiteral("Load backup"), backup.error->message, PromptIcon::Warning);
        return;
    }
    m_memo.setLines(backup.lines);
}

} // namespace tolvane
