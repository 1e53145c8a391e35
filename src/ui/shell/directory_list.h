#pragma once
// A directory list as the save and root dialogs show it: the chain of folders from the top of the
// drive down to the current one, then its sub-folders; a click on an entry opens that folder. A
// drive selector sits beside it only where the platform has drive letters.
#include <QComboBox>
#include <QListWidget>

namespace tolvane {

class DirectoryList : public QListWidget {
    Q_OBJECT
public:
    explicit DirectoryList(QWidget* parent = nullptr);

    QString directory() const { return m_directory; }
    // Points the list at a folder (native separators accepted) and reads it again, even when it is
    // the same folder, so new files and folders show.
    void setDirectory(const QString& path);

    // True where folders live on drive letters (Windows); elsewhere the drive selector is hidden.
    static bool platformHasDrives();
    // Fills a drive selector, hides it where there are no drives, and keeps it and the list in step.
    void attachDriveSelector(QComboBox* drives);

signals:
    void directoryChanged(const QString& path);

private:
    QString m_directory;
};

} // namespace tolvane
