#include "ui/shell/root_dir_dialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/common/config_keys.h"
#include "core/common/configuration.h"
#include "core/common/prompter.h"
#include "ui/shell/directory_list.h"

namespace tolvane {

TCngDir::TCngDir(Configuration& config, Prompter& prompter, QString defaultRoot, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), m_config(config), m_prompter(prompter),
      m_defaultRoot(std::move(defaultRoot)), m_folders(new DirectoryList(this)),
      m_drives(new QComboBox(this)), m_path(new QComboBox(this)),
      m_save(new QPushButton(QStringLiteral("Save"), this)),
      m_cancel(new QPushButton(QStringLiteral("Cancel"), this))
{
    setWindowTitle(QStringLiteral("Root Directory"));
    m_path->setEditable(true);
    m_path->setInsertPolicy(QComboBox::NoInsert);
    m_path->setMinimumWidth(320);
    m_folders->setMinimumHeight(200);

    auto* browse = new QGroupBox(QStringLiteral("Select  new root directory"), this);
    auto* browseLayout = new QVBoxLayout(browse);
    browseLayout->addWidget(m_folders);
    browseLayout->addWidget(m_drives);
    auto* pathBox = new QGroupBox(QStringLiteral("Path to make, model and name directories"), this);
    auto* pathLayout = new QVBoxLayout(pathBox);
    pathLayout->addWidget(m_path);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_save);
    buttons->addWidget(m_cancel);
    pathLayout->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browse);
    layout->addWidget(pathBox);

    m_folders->attachDriveSelector(m_drives);
    connect(m_folders, &DirectoryList::directoryChanged, this,
            [this](const QString& path) { m_path->setEditText(QDir::toNativeSeparators(path)); });
    connect(m_save, &QPushButton::clicked, this, &TCngDir::OKButtonClick);
    connect(m_cancel, &QPushButton::clicked, this, &TCngDir::CancelBClick);
}

void TCngDir::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TCngDir::FormShow()
{
    m_remembered = m_root;
    m_folders->setDirectory(m_root);
    m_path->setEditText(m_root);
    if (m_path->currentText().isEmpty()) {
        m_path->setEditText(m_defaultRoot);
        m_folders->setDirectory(m_defaultRoot);
    }
}

void TCngDir::OKButtonClick()
{
    const QString typed = m_path->currentText();
    // A root that does not open would leave the browser with nothing to list: stay open, keep the
    // root and the configuration as they were.
    if (typed.isEmpty() || !QFileInfo(typed).isDir()) {
        m_prompter.inform(QStringLiteral("Error"),
                          QStringLiteral("Cannot open the folder ") + typed + QLatin1Char('.'),
                          PromptIcon::Error);
        return;
    }
    if (m_path->findText(typed, Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0)
        m_path->addItem(typed);
    m_root = typed;
    emit rootDirectoryChanged(m_root);
    if (const auto error = m_config.write(ConfigKeys::RootDirectory, m_root)) {
        m_prompter.inform(QStringLiteral("Error"), error->message, PromptIcon::Error);
        return;
    }
    done(QDialog::Accepted);
}

void TCngDir::CancelBClick()
{
    m_root = m_remembered;
    done(QDialog::Rejected);
}

} // namespace tolvane
