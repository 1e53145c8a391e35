#include "ui/shell/save_dialog.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "core/analysis/viewer_state.h"
#include "core/common/prompter.h"
#include "core/library/file_name_proposal.h"
#include "core/library/library_tree.h"
#include "core/library/new_folder.h"
#include "core/setup/run_conditions.h"
#include "core/setup/setup_loader.h"
#include "core/setup/test_setup.h"
#include "ui/setup/form_helpers.h"
#include "ui/shell/directory_list.h"
#include "ui/shell/make_dir_dialog.h"

namespace tolvane {

namespace {

QLineEdit* atmosphereField(QWidget* parent, const QString& name, const QString& background)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setReadOnly(true);
    field->setAlignment(Qt::AlignRight);
    field->setStyleSheet(
        QStringLiteral("QLineEdit { color: yellow; background: %1; font-family: 'Courier New', "
                       "Courier, monospace; font-weight: bold; }")
            .arg(background));
    field->setFixedWidth(90);
    return field;
}

QPushButton* namedButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

} // namespace

TTstTypeF::TTstTypeF(RunConditions& conditions, TestSetup& setup, ViewerState& viewer, Prompter& prompter,
                     TMkDirF& makeDir, QString dataDirectory, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowMinimizeButtonHint),
      m_conditions(conditions), m_setup(setup), m_viewer(viewer), m_prompter(prompter),
      m_dataDirectory(std::move(dataDirectory)), m_makeDir(makeDir), m_folders(new DirectoryList(this)),
      m_drives(new QComboBox(this)), m_files(new QListWidget(this)), m_fileName(new QLineEdit(this)),
      m_notes(new QPlainTextEdit(this)),
      m_temperature(atmosphereField(this, QStringLiteral("TempE"), QStringLiteral("black"))),
      m_pressure(atmosphereField(this, QStringLiteral("PresE"), QStringLiteral("black"))),
      m_humidity(atmosphereField(this, QStringLiteral("HumdE"), QStringLiteral("black"))),
      m_correction(atmosphereField(this, QStringLiteral("CorrE"), QStringLiteral("blue"))),
      m_notesMenu(new QMenu(this)), m_atmosphereMenu(new QMenu(this))
{
    setWindowTitle(QStringLiteral("Save Data to File."));
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    setObjectName(QStringLiteral("TTstTypeF"));
    setStyleSheet(QStringLiteral("#TTstTypeF { background: silver; }"));
    setAttribute(Qt::WA_StyledBackground);
    buildLayout();

    m_folders->attachDriveSelector(m_drives);
    m_folders->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_folders, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (m_folderMenu != nullptr)
            m_folderMenu->popup(m_folders->mapToGlobal(at));
    });
    connect(m_folders, &DirectoryList::directoryChanged, this, &TTstTypeF::Dir1Change);
    connect(m_files, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const QString path = QDir(m_folders->directory()).filePath(item->text());
        m_viewer.setCurrentFile(path);
        emit currentFileChosen(path);
    });
    connect(m_fileName, &QLineEdit::textEdited, &m_conditions, &RunConditions::setFileName);
    connect(&m_conditions, &RunConditions::fileNameChanged, this, [this] {
        if (m_fileName->text() != m_conditions.fileName())
            m_fileName->setText(m_conditions.fileName());
        m_fileName->setToolTip(m_conditions.fileName());
    });
    m_fileName->setText(m_conditions.fileName());
    m_fileName->setToolTip(m_conditions.fileName());

    // Tabs stay focus moves until the operator has changed the notes once.
    m_notes->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_notes->setTabChangesFocus(true);
    connect(m_notes, &QPlainTextEdit::textChanged, this, [this] {
        m_notes->setTabChangesFocus(false);
        m_conditions.setNotes(m_notes->toPlainText().split(QLatin1Char('\n')));
    });
    connect(&m_conditions, &RunConditions::notesChanged, this, [this] {
        const QString text = m_conditions.notes().join(QLatin1Char('\n'));
        if (m_notes->toPlainText() == text)
            return;
        const QSignalBlocker quiet(m_notes);
        m_notes->setPlainText(text);
    });
    connect(&m_conditions, &RunConditions::atmosphereChanged, this, &TTstTypeF::showAtmosphere);
    showAtmosphere();
    for (QLineEdit* field : {m_temperature, m_pressure, m_humidity, m_correction})
        field->installEventFilter(this);

    m_notesMenu->addAction(QStringLiteral("Copy from Graphs"), this, &TTstTypeF::notesFromGraphRequested);
    m_notesMenu->addAction(QStringLiteral("Paste"), m_notes, &QPlainTextEdit::paste);
    m_notesMenu->addAction(QStringLiteral("Add New Directory"), this, &TTstTypeF::AddNewDirectory1Click);
    m_notes->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_notes, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_notesMenu->popup(m_notes->mapToGlobal(at)); });

    connect(button("Cancelb"), &QPushButton::clicked, this, &TTstTypeF::CancelbClick);
    connect(button("Mk_Dir"), &QPushButton::clicked, this, &TTstTypeF::Mk_DirClick);
    connect(button("Button1"), &QPushButton::clicked, this, &TTstTypeF::notesFromGraphRequested);
    connect(button("STGraph"), &QPushButton::clicked, this, &TTstTypeF::STGraphClick);
    connect(button("STTest"), &QPushButton::clicked, this, &TTstTypeF::STTestClick);
    connect(button("ResetAtmC"), &QPushButton::clicked, &m_conditions, &RunConditions::ResetAtmCClick);
}

void TTstTypeF::buildLayout()
{
    m_folders->setMinimumSize(240, 150);
    m_files->setMinimumHeight(110);
    m_notes->setMinimumSize(340, 260);
    m_notes->setObjectName(QStringLiteral("Memo2"));

    auto* folderBox = new QGroupBox(QStringLiteral("Directory"), this);
    auto* folderLayout = new QVBoxLayout(folderBox);
    folderLayout->addWidget(m_folders);
    folderLayout->addWidget(m_drives);
    folderLayout->addWidget(m_files);
    folderLayout->addWidget(new QLabel(QStringLiteral("File Name")));
    folderLayout->addWidget(m_fileName);

    auto* notesBox = new QGroupBox(QStringLiteral("Notes"), this);
    auto* notesLayout = new QVBoxLayout(notesBox);
    notesLayout->addWidget(m_notes);

    auto* atmosphere = new QGroupBox(QStringLiteral("Atmospheric Conditions"), this);
    auto* atmosphereLayout = new QGridLayout(atmosphere);
    const QStringList captions{QStringLiteral("Temperature"), QStringLiteral("Pressure"),
                               QStringLiteral("Humidity"), QStringLiteral("Corr. Factor")};
    const QList<QLineEdit*> fields{m_temperature, m_pressure, m_humidity, m_correction};
    for (int i = 0; i < fields.size(); ++i) {
        atmosphereLayout->addWidget(new QLabel(captions.at(i)), 0, i);
        atmosphereLayout->addWidget(fields.at(i), 1, i);
    }
    atmosphereLayout->addWidget(namedButton(this, QStringLiteral("ResetAtmC"), QStringLiteral("Standard.")),
                                1, fields.size());
    // The measuring item would need a port of the dialog's own that no instrument uses: it stays off.
    m_atmosphereMenu->addAction(QStringLiteral("Measure Temp., Pressure && Humidity."))->setEnabled(false);
    atmosphere->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(atmosphere, &QWidget::customContextMenuRequested, this,
            [this, atmosphere](const QPoint& at) { m_atmosphereMenu->popup(atmosphere->mapToGlobal(at)); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(namedButton(this, QStringLiteral("Cancelb"), QStringLiteral("Go Back")));
    buttons->addWidget(namedButton(this, QStringLiteral("Mk_Dir"), QStringLiteral("Add New Directory")));
    buttons->addWidget(namedButton(this, QStringLiteral("Button1"), QStringLiteral("Get notes from graph")));
    buttons->addStretch();
    buttons->addWidget(namedButton(this, QStringLiteral("STGraph"), QStringLiteral("  Save then Graph")));
    buttons->addWidget(namedButton(this, QStringLiteral("STTest"), QStringLiteral("Save then test")));

    auto* top = new QHBoxLayout;
    top->addWidget(folderBox, 2);
    top->addWidget(notesBox, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(atmosphere);
    layout->addLayout(buttons);
}

QPushButton* TTstTypeF::button(const char* name) const
{
    return findChild<QPushButton*>(QLatin1String(name));
}

void TTstTypeF::showEvent(QShowEvent* event)
{
    // Left to a window manager the dialog can open hanging off the screen's bottom edge, its
    // save buttons out of reach on a 1280 x 800 screen.
    if (!event->spontaneous())
        centreOnFirstShow(*this, m_placed);
    FormShow();
    QWidget::showEvent(event);
}

void TTstTypeF::FormShow()
{
    const QString current = m_viewer.currentFile();
    m_folders->setDirectory(m_dataDirectory);
    if (!current.isEmpty())
        m_folders->setDirectory(QFileInfo(current).absolutePath());
    m_conditions.setFileName(QFileInfo(current).fileName());
    FilLitBChange();
}

void TTstTypeF::Dir1Change(const QString& folder)
{
    m_conditions.setFolder(folder);
    rereadFolder();
}

void TTstTypeF::rereadFolder()
{
    // The same files the proposal counts: plain files, hidden ones left out.
    m_files->clear();
    m_files->addItems(listLibraryFiles(m_folders->directory()));
    FilLitBChange();
}

void TTstTypeF::FilLitBChange()
{
    const QString current = m_viewer.currentFile();
    proposeSaveDialogFileName(m_conditions, current, m_setup.testType());
    WrtNewDirs(m_setup, m_conditions, m_root, current);
}

void TTstTypeF::Mk_DirClick()
{
    makeFolder(m_makeDir.askPath(QDir::toNativeSeparators(m_folders->directory())));
}

void TTstTypeF::AddNewDirectory1Click()
{
    makeFolder(m_prompter.input(QStringLiteral("Press OK To Make"), QStringLiteral("Make Directory: "),
                                QDir::toNativeSeparators(m_folders->directory())));
}

void TTstTypeF::makeFolder(const std::optional<QString>& typed)
{
    if (!typed || !makeNewFolder(*typed, m_prompter))
        return;
    m_folders->setDirectory(*typed);
}

void TTstTypeF::CancelbClick()
{
    m_notes->setTabChangesFocus(true);
    hide();
    emit goBackRequested();
}

QString TTstTypeF::targetPath() const
{
    return QDir(m_conditions.folder()).filePath(m_conditions.fileName());
}

void TTstTypeF::STTestClick()
{
    // Back first: a save that writes nothing brings this dialog up again, and it must stay up.
    const QString path = targetPath();
    CancelbClick();
    emit saveThenTestRequested(path);
}

void TTstTypeF::STGraphClick()
{
    const QString path = targetPath();
    CancelbClick();
    emit saveThenGraphRequested(path);
}

void TTstTypeF::showAtmosphere()
{
    m_temperature->setText(m_conditions.temperature());
    m_pressure->setText(m_conditions.pressure());
    m_humidity->setText(m_conditions.humidity());
    m_correction->setText(m_conditions.correction());
}

void TTstTypeF::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        emit minimised();
    QWidget::changeEvent(event);
}

bool TTstTypeF::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && (watched == m_temperature || watched == m_pressure ||
                                                      watched == m_humidity || watched == m_correction)) {
        emit atmosphericWindowRequested();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tolvane
