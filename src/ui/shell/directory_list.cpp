#include "ui/shell/directory_list.h"

#include <QDir>
#include <QFileInfo>

namespace tolvane {

namespace {
constexpr int PathRole = Qt::UserRole;
}

DirectoryList::DirectoryList(QWidget* parent) : QListWidget(parent)
{
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const QString path = item->data(PathRole).toString();
        if (path != m_directory)
            setDirectory(path);
    });
}

void DirectoryList::setDirectory(const QString& path)
{
    const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(path));
    clear();
    QStringList chain;
    for (QDir up(clean);;) {
        chain.prepend(up.absolutePath());
        if (!up.cdUp())
            break;
    }
    int depth = 0;
    for (const QString& folder : chain) {
        const QString name =
            QDir(folder).isRoot() ? QDir::toNativeSeparators(folder) : QFileInfo(folder).fileName();
        auto* item = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + name, this);
        item->setData(PathRole, folder);
        ++depth;
    }
    if (count() > 0)
        setCurrentRow(count() - 1);
    const QStringList subFolders =
        QDir(clean).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& sub : subFolders) {
        auto* item = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + sub, this);
        item->setData(PathRole, QDir(clean).filePath(sub));
    }
    const bool changed = clean != m_directory;
    m_directory = clean;
    if (changed)
        emit directoryChanged(m_directory);
}

bool DirectoryList::platformHasDrives()
{
    const QFileInfoList drives = QDir::drives();
    return std::any_of(drives.begin(), drives.end(), [](const QFileInfo& drive) {
        return drive.absolutePath().contains(QLatin1Char(':'));
    });
}

void DirectoryList::attachDriveSelector(QComboBox* drives)
{
    drives->clear();
    if (!platformHasDrives()) {
        drives->setVisible(false);
        return;
    }
    for (const QFileInfo& drive : QDir::drives())
        drives->addItem(QDir::toNativeSeparators(drive.absolutePath()), drive.absolutePath());
    connect(drives, &QComboBox::activated, this,
            [this, drives](int index) { setDirectory(drives->itemData(index).toString()); });
    connect(this, &DirectoryList::directoryChanged, drives, [drives](const QString& path) {
        const int index =
            drives->findData(QDir(path).absolutePath().left(3), Qt::UserRole, Qt::MatchFixedString);
        if (index >= 0)
            drives->setCurrentIndex(index);
    });
}

} // namespace tolvane
