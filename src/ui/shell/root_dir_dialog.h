#pragma once
// TCngDir, "Root Directory": chooses the root of the test library. Browsing the folder list copies
// the folder into the path combo; "Save" makes the combo's text the root (it must be a folder that
// opens) and writes it to the configuration; Cancel restores the root the dialog was shown with.
#include <QDialog>

class QComboBox;
class QPushButton;

namespace tolvane {

class Configuration;
class DirectoryList;
class Prompter;

class TCngDir : public QDialog {
    Q_OBJECT
public:
    // defaultRoot is put into the combo when the root is empty.
    TCngDir(Configuration& config, Prompter& prompter, QString defaultRoot, QWidget* parent = nullptr);

    QString rootDirectory() const { return m_root; }
    void setRootDirectory(const QString& root) { m_root = root; }

    DirectoryList* DirLB() const { return m_folders; }
    QComboBox* DriveCB() const { return m_drives; }
    QComboBox* RtDrCombo() const { return m_path; }
    QPushButton* OKButton() const { return m_save; }
    QPushButton* CancelB() const { return m_cancel; }

    // Runs on every showing: remembers the root and points the list and the combo at it.
    void FormShow();
    void OKButtonClick();
    void CancelBClick();

signals:
    // The new root is in place: the browser rebuilds its make list.
    void rootDirectoryChanged(const QString& root);

protected:
    void showEvent(QShowEvent* event) override;

private:
    Configuration& m_config;
    Prompter& m_prompter;
    QString m_defaultRoot;
    QString m_root;
    QString m_remembered;
    DirectoryList* m_folders;
    QComboBox* m_drives;
    QComboBox* m_path;
    QPushButton* m_save;
    QPushButton* m_cancel;
};

} // namespace tolvane
