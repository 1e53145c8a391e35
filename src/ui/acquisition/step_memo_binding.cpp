#include "ui/acquisition/step_memo_binding.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "core/acquisition/record_backup.h"
#include "core/acquisition/record_memo.h"
#include "core/common/prompter.h"
#include "core/common/text_file.h"

namespace tolvane {

StepMemoBinding::StepMemoBinding(QPlainTextEdit& view, RecordMemo& memo, Prompter& prompter,
                                 std::function<QString()> libraryRoot, QObject* parent)
    : QObject(parent), m_view(view), m_memo(memo), m_prompter(prompter), m_libraryRoot(std::move(libraryRoot))
{
    connect(&m_memo, &RecordMemo::changed, this, &StepMemoBinding::onMemoChanged);
    connect(&m_view, &QPlainTextEdit::textChanged, this, &StepMemoBinding::takeEdit);
    showMemo();
}

QString StepMemoBinding::markerPath() const
{
    return backupPath(m_libraryRoot(), BackupKind::Step) + QStringLiteral(".unsaved");
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
        // Saved, restarted or cleared on purpose: nothing is left to offer after a crash.
        QFile::remove(markerPath());
        return;
    }
    if (!m_memo.isModified())
        return;
    std::optional<FileError> error = backUpRecordMemo(m_libraryRoot(), m_memo.lines(), true);
    if (!error && !QFile::exists(markerPath()))
        error = writeTextLines(markerPath(), {}, DiskWait::Cached);
    if (error && !m_errorShown) {
        m_errorShown = true; // once, not at every record line
        m_prompter.inform(QStringLiteral("Backup"), error->message, PromptIcon::Warning);
    }
}

QStringList StepMemoBinding::unsavedBackup() const
{
    if (!m_memo.isEmpty() || !QFile::exists(markerPath()))
        return {};
    const TextReadResult backup = loadRecordBackup(m_libraryRoot(), BackupKind::Step);
    return backup.ok() ? backup.lines : QStringList();
}

void StepMemoBinding::offerBackup(const QStringList& lines)
{
    const PromptAnswer answer =
        m_prompter.ask({OfferTitle, OfferText, PromptIcon::Question, PromptButtons::YesNo});
    if (answer == PromptAnswer::Yes && m_memo.isEmpty())
        m_memo.setLines(lines);
    else
        QFile::remove(markerPath());
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
