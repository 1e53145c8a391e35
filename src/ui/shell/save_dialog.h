#pragma once
// TTstTypeF, "Save Data to File.": where the finished run goes (folder list, file list, file name),
// its notes and its atmospheric texts. The fields are the RunConditions model the test windows save
// from; saving itself is the live test windows' part, asked for through the save signals with the
// chosen path.
#include <QWidget>

#include <optional>

class QComboBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace tolvane {

class DirectoryList;
class Prompter;
class RunConditions;
class TestSetup;
class TMkDirF;
class ViewerState;

class TTstTypeF : public QWidget {
    Q_OBJECT
public:
    // dataDirectory is where the folder list starts before it moves to the current file's folder.
    TTstTypeF(RunConditions& conditions, TestSetup& setup, ViewerState& viewer, Prompter& prompter,
              TMkDirF& makeDir, QString dataDirectory, QWidget* parent = nullptr);

    void setRootDirectory(const QString& root) { m_root = root; }
    // The folder list's pop-up menu: the browser's, whose items act on the test library.
    void setFolderMenu(QMenu* menu) { m_folderMenu = menu; }

    DirectoryList* Dir1() const { return m_folders; }
    QComboBox* DriveComboBox1() const { return m_drives; }
    QListWidget* FilLitB() const { return m_files; }
    QLineEdit* FileNameE() const { return m_fileName; }
    QPlainTextEdit* Memo2() const { return m_notes; }
    QLineEdit* TempE() const { return m_temperature; }
    QLineEdit* PresE() const { return m_pressure; }
    QLineEdit* HumdE() const { return m_humidity; }
    QLineEdit* CorrE() const { return m_correction; }
    QMenu* notesMenu() const { return m_notesMenu; }
    QMenu* atmosphereMenu() const { return m_atmosphereMenu; }
    // A button by its object name ("Cancelb", "Mk_Dir", "Button1", "STGraph", "STTest", "ResetAtmC").
    QPushButton* button(const char* name) const;

    // Runs on every showing: the folder list goes to the current file's folder, the file name
    // starts as the current file's name, then a name is proposed.
    void FormShow();
    // Propose a name after the folder or the current file changed (also asked for by the main
    // window and the browser).
    void FilLitBChange();
    // The folder list reads its folder again (new files show, the proposal counts them).
    void rereadFolder();

    void Mk_DirClick();
    void AddNewDirectory1Click();
    void CancelbClick();
    void STTestClick();
    void STGraphClick();

signals:
    void goBackRequested();
    void saveThenTestRequested(const QString& fullPath);
    void saveThenGraphRequested(const QString& fullPath);
    void notesFromGraphRequested();
    void atmosphericWindowRequested();
    // A click in the file list made that file the current one: the test setup looks at its type.
    void currentFileChosen(const QString& fullPath);
    // Minimising the dialog hides the main window too.
    void minimised();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void Dir1Change(const QString& folder);
    void makeFolder(const std::optional<QString>& typed);
    void showAtmosphere();
    QString targetPath() const;

    RunConditions& m_conditions;
    TestSetup& m_setup;
    ViewerState& m_viewer;
    Prompter& m_prompter;
    QString m_dataDirectory;
    QString m_root;
    TMkDirF& m_makeDir;
    DirectoryList* m_folders;
    QComboBox* m_drives;
    QListWidget* m_files;
    QLineEdit* m_fileName;
    QPlainTextEdit* m_notes;
    QLineEdit* m_temperature;
    QLineEdit* m_pressure;
    QLineEdit* m_humidity;
    QLineEdit* m_correction;
    QMenu* m_notesMenu;
    QMenu* m_atmosphereMenu;
    bool m_placed = false; // opened centred once; later where the operator left it
    QMenu* m_folderMenu = nullptr;
};

} // namespace tolvane
