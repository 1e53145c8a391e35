#pragma once
// StepMemoBinding: the step window's record memo view `Memo1` bound both ways to the session's
// RecordMemo, and the memo's backup. Every change of the memo is backed up to "Test_Backup" in
// the library root, together with a marker ("Test_Backup.unsaved") that says the lines were
// neither saved nor cleared yet; clearing the memo (a save, a restart, the operator) removes the
// marker. A marker still there when the window is next shown over an empty memo means the
// program was killed during a test: its lines are offered back.
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

    QString markerPath() const;

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
