#pragma once
// StepMemoBinding: the step window's record memo view `Memo1` bound both ways to the session's
// RecordMemo, and the memo's backup (record_backup.h): every change of the memo is backed up and
// marked unsaved; clearing the memo (a save, a restart, the operator) forgets the mark. The lines
// of a test the program was killed in are offered back when the window is next shown.
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QPlainTextEdit;

namespace tolvane {

class Prompter;
class RecordMemo;

class StepMemoBinding : public QObject {
    Q_OBJECT
public:
    static inline const QString OfferTitle = QStringLiteral("Unsaved test data found");
    static inline const QString OfferText = QStringLiteral(
        "The last step test was neither saved nor cleared; its record lines are in the backup.\r"
        "Load them into the record memo now?");

    // `libraryRoot` gives the current root each time it is needed.
    StepMemoBinding(QPlainTextEdit& view, RecordMemo& memo, Prompter& prompter,
                    std::function<QString()> libraryRoot, QObject* parent = nullptr);

    // The lines a killed test left, when the memo is empty and the marker says they are there;
    // taken before a restart clears the marker.
    QStringList unsavedBackup() const;
    // Asks whether to load `lines` into the (still empty) memo.
    void offerBackup(const QStringList& lines);
    // "Load backup": the backup into the memo, or a message why not.
    void loadBackup();

private:
    void showMemo();
    void takeEdit();
    void onMemoChanged();

    QPlainTextEdit& m_view;
    RecordMemo& m_memo;
    Prompter& m_prompter;
    std::function<QString()> m_libraryRoot;
    bool m_showing = false;
    bool m_editing = false;
    bool m_errorShown = false;
};

} // namespace tolvane
