#include "ui/shell/browser_window.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QListWidget>
#include <QMenu>
#include <QResizeEvent>
#include <QTableWidget>

#include "core/analysis/graph_settings.h"
#include "core/analysis/viewer_state.h"
#include "core/analysis/viewer_text.h"
#include "core/common/configuration.h"
#include "core/common/date_time.h"
#include "core/common/library_path.h"
#include "core/common/prompter.h"
#include "core/common/text_file.h"
#include "core/library/graph_screen_layout.h"
#include "core/library/layout_settings.h"
#include "core/library/library_tree.h"
#include "core/library/new_folder.h"
#include "core/library/selection.h"
#include "core/library/test_file_check.h"
#include "platform/chart/toolkit_colors.h"
#include "ui/analysis/run_viewer_window.h"
#include "ui/shell/make_dir_dialog.h"

namespace tolvane {

namespace {

const QString NewEntry = QStringLiteral("New...");
constexpr int RowHeight = 18;

QString cleanPath(const QString& path)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(path));
}

} // namespace

TDirForm::TDirForm(const Models& models, TViewFiles& runViewer, TMkDirF& makeDir, QWidget* parent)
    : QWidget(parent), m_selection(models.selection), m_viewer(models.viewer), m_text(models.text),
      m_series(models.series), m_runViewer(runViewer), m_configuration(models.configuration),
      m_prompter(models.prompter), m_locale(models.locale), m_makeDir(makeDir), m_layout(models.layout),
      m_graph(models.graph)
{
    setWindowTitle(QStringLiteral("Select Files"));
    setAutoFillBackground(true);

    const char* const listNames[] = {"Makecb", "Modelcb", "Namecb", "Versioncb"};
    for (int level = Make; level <= Version; ++level) {
        auto* list = new QComboBox(this);
        list->setObjectName(QLatin1String(listNames[level]));
        list->setEditable(false);
        m_lists[level] = list;
    }
    connect(m_lists[Make], &QComboBox::activated, this, &TDirForm::MakecbChange);
    connect(m_lists[Model], &QComboBox::activated, this, &TDirForm::ModelcbChange);
    connect(m_lists[Name], &QComboBox::activated, this, &TDirForm::NamecbChange);
    connect(m_lists[Version], &QComboBox::activated, this, &TDirForm::VersioncbChange);

    m_files = new QListWidget(this);
    m_files->setObjectName(QStringLiteral("Mfilelb"));
    m_files->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Every entry is one line of text: the list need not measure each of a large folder's files.
    m_files->setUniformItemSizes(true);
    m_files->setDragEnabled(true);
    m_files->setDragDropMode(QAbstractItemView::DragOnly);
    // A drop copies names into the selection; a move would take the files out of the list.
    m_files->setDefaultDropAction(Qt::CopyAction);
    connect(m_files, &QListWidget::itemClicked, this, &TDirForm::MfilelbClick);
    connect(m_files, &QListWidget::itemDoubleClicked, this, &TDirForm::MfilelbDblClick);

    m_grid = new QTableWidget(0, 5, this);
    m_grid->setObjectName(QStringLiteral("Selfileg"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("Clr:"), QStringLiteral("File Name:"),
                                       QStringLiteral("Date\\Time:"), QStringLiteral("Path:"), QString()});
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(RowHeight);
    m_grid->verticalHeader()->setMinimumSectionSize(RowHeight);
    m_grid->horizontalHeader()->setFixedHeight(RowHeight + 2);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_grid->horizontalHeader()->setMinimumSectionSize(0);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_grid->setColumnHidden(3, true);
    m_grid->setColumnHidden(4, true);
    QFont gridFont(QStringLiteral("Arial"));
    gridFont.setStyleHint(QFont::SansSerif);
    gridFont.setPixelSize(11);
    m_grid->setFont(gridFont);
    m_grid->horizontalHeader()->setFont(gridFont);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A highlighted row would hide the run colours the grid is there to show.
    m_grid->setSelectionMode(QAbstractItemView::NoSelection);
    m_grid->setWordWrap(false);

    m_grid->setAcceptDrops(true);
    m_grid->viewport()->installEventFilter(this);
    connect(m_grid, &QTableWidget::cellClicked, this, [this](int row, int) { SelfilegSelectCell(row + 1); });
    connect(m_grid, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int column) { SelfilegDblClick(row + 1, column); });

    buildMenu();
    for (QWidget* owner : {static_cast<QWidget*>(m_files), static_cast<QWidget*>(m_grid)}) {
        owner->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(owner, &QWidget::customContextMenuRequested, this,
                [this, owner](const QPoint& at) { m_menu->popup(owner->mapToGlobal(at)); });
    }

    connect(&m_selection, &Selection::changed, this, &TDirForm::fillGrid);
    m_runViewer.setNotesCheck([this] { return MemoModified(); });
    // A file saved, copied or renamed from the run viewer shows in the file list at once.
    connect(&m_runViewer, &TViewFiles::fileListChanged, this,
            [this] { setFileListDirectory(m_fileDirectory); });
    connect(&m_layout, &LayoutSettings::changed, this, &TDirForm::showWidths);
    connect(&m_graph, &GraphSettings::changed, this, &TDirForm::showBackground);
    showBackground();
    // The operator sizes the colour and date columns by dragging; the layout keeps what he chose.
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int width) {
                if (column == 0)
                    m_layout.setColorWidth(width);
                else if (column == 2)
                    m_layout.setDateWidth(width);
            });
    showWidths();
    fillGrid();
}

TDirForm::~TDirForm()
{
    m_runViewer.setNotesCheck({});
}

void TDirForm::buildMenu()
{
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("PopupMenu1"));
    const auto add = [this](const char* name, const QString& caption, std::function<void()> handler) {
        QAction* item = m_menu->addAction(caption);
        item->setObjectName(QLatin1String(name));
        connect(item, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
        return item;
    };
    add("ClearAll1", QStringLiteral("Clear All"), [this] { ClearAll1Click(); });
    add("Rename1", QStringLiteral("Rename File"), [this] { m_runViewer.Rename1Click(); });
    add("ChangeRoot1", QStringLiteral("Saved Test Location"),
        [this] { emit rootDirectoryDialogRequested(); });
    // The test windows are not part of the program yet.
    add("GoToTest1", QStringLiteral("Go To Test"), [this] { emit newTestRequested(); });
}

void TDirForm::report(const QString& title, const QString& text)
{
    m_prompter.inform(title, text, PromptIcon::Error);
}

// ---- folders and files ----

void TDirForm::setRootDirectory(const QString& root)
{
    m_root = cleanPath(root);
}

bool TDirForm::setFileListDirectory(const QString& folder)
{
    const QString directory = cleanPath(folder);
    // Reading the same folder again (new or renamed files) keeps the chosen file chosen.
    const QString kept =
        directory == m_fileDirectory && m_files->currentItem() ? m_files->currentItem()->text() : QString();
    m_fileDirectory = directory;
    m_files->clear();
    const QFileInfo place(m_fileDirectory);
    if (m_fileDirectory.isEmpty() || !place.isDir() || !place.isReadable())
        return false;
    m_files->addItems(listLibraryFiles(m_fileDirectory));
    if (const QList<QListWidgetItem*> found = m_files->findItems(kept, Qt::MatchExactly);
        !kept.isEmpty() && !found.isEmpty())
        m_files->setCurrentItem(found.first());
    return true;
}

QString TDirForm::levelFolder(int levels) const
{
    QString folder = m_root;
    for (int level = Make; level < levels; ++level)
        folder += QLatin1Char('/') + m_lists[level]->currentText();
    return folder;
}

void TDirForm::fillList(int level, const QStringList& folders)
{
    QComboBox* list = m_lists[level];
    list->clear();
    list->addItems(folders);
    list->addItem(NewEntry);
    list->setCurrentIndex(-1);
}

void TDirForm::clearListsFrom(int level)
{
    for (int lower = level; lower <= Version; ++lower)
        m_lists[lower]->clear();
}

void TDirForm::showFolderCaption()
{
    setWindowTitle(QDir::toNativeSeparators(m_fileDirectory));
}

void TDirForm::CBMK()
{
    clearListsFrom(Make);
    fillList(Make, listLibraryFolders(m_root, LibraryLevel::Make));
    setFileListDirectory(m_root);
    if (m_lists[Make]->count() > 1 && m_files->count() == 0) {
        m_lists[Make]->setCurrentIndex(0);
        levelChange(Make, Chooser::Program);
    }
    setWindowTitle(QStringLiteral(" "));
}

bool TDirForm::chooseNewFolder(int level, const QString& parent)
{
    setFileListDirectory(parent);
    const QString name = Makedir();
    QComboBox* list = m_lists[level];
    if (name.isEmpty()) {
        list->setCurrentIndex(-1);
        clearListsFrom(level + 1);
        return false;
    }
    list->addItem(name);
    list->setCurrentIndex(list->count() - 1);
    return true;
}

void TDirForm::levelChange(int level, Chooser chooser)
{
    QComboBox* list = m_lists[level];
    if (list->currentIndex() < 0)
        return;
    if (list->currentText() == NewEntry && !chooseNewFolder(level, levelFolder(level)))
        return;
    const int below = level + 1;
    clearListsFrom(below);
    fillList(below, listLibraryFolders(levelFolder(below), LibraryLevel::BelowMake));
    // Following a file's place, the file list is read once, in the file's folder, at the end.
    if (chooser != Chooser::Following) {
        setFileListDirectory(levelFolder(below));
        showFolderCaption();
    }
    // After the operator's choice of a make or model the next list drops down for the next
    // choice; a version is optional, so after a name the file list takes over. A choice the
    // program makes (the first make, a file's place) leaves every list closed and the file list
    // ready, or the open list would hang over the grid and swallow the operator's first click.
    if (chooser == Chooser::Operator && below < Version) {
        if (isVisible())
            m_lists[below]->showPopup();
        m_lists[below]->setFocus();
    } else {
        m_files->setFocus();
    }
}

void TDirForm::MakecbChange()
{
    levelChange(Make, Chooser::Operator);
}

void TDirForm::ModelcbChange()
{
    levelChange(Model, Chooser::Operator);
}

void TDirForm::NamecbChange()
{
    levelChange(Name, Chooser::Operator);
}

void TDirForm::VersioncbChange()
{
    for (int level = Make; level < Version; ++level) {
        if (m_lists[level]->view()->isVisible())
            return;
    }
    QComboBox* list = m_lists[Version];
    if (list->currentIndex() < 0)
        return;
    if (list->currentText() == NewEntry)
        chooseNewFolder(Version, levelFolder(3));
    setFileListDirectory(levelFolder(list->currentIndex() < 0 ? 3 : 4));
    showFolderCaption();
}

QString TDirForm::Makedir()
{
    const QString prefilled = QDir::toNativeSeparators(m_fileDirectory) + QDir::separator();
    const std::optional<QString> typed = m_makeDir.askPath(prefilled);
    if (!typed || !makeNewFolder(*typed, m_prompter))
        return {};
    const QString made = cleanPath(*typed);
    setFileListDirectory(made);
    // The name is what the operator typed after the prefilled folder; a path typed elsewhere
    // gives its last folder.
    QString name = typed->startsWith(prefilled) ? typed->mid(prefilled.size()) : QFileInfo(made).fileName();
    while (name.endsWith(QLatin1Char('/')) || name.endsWith(QDir::separator()))
        name.chop(1);
    return name;
}

void TDirForm::WriteDirBoxs(const QString& fullPath)
{
    const QString file = cleanPath(fullPath);
    const QStringList levels = libraryFolderLevels(m_root, file);
    for (int level = Make; level < levels.size(); ++level) {
        QComboBox* list = m_lists[level];
        int index = list->findText(levels.at(level));
        if (index < 0) {
            list->addItem(levels.at(level));
            index = list->count() - 1;
        }
        list->setCurrentIndex(index);
        // The version is the last level: choosing it fills no list below.
        if (level < Version)
            levelChange(level, Chooser::Following);
    }
    setFileListDirectory(QFileInfo(file).path());
    showFolderCaption();
}

// ---- the file list ----

QString TDirForm::chosenFile() const
{
    const QListWidgetItem* item = m_files->currentItem();
    if (item == nullptr)
        return {};
    return m_fileDirectory + QLatin1Char('/') + item->text();
}

std::optional<QString> TDirForm::fileDateTime(const QString& fullPath) const
{
    const QFileInfo file(fullPath);
    if (!file.isFile())
        return std::nullopt;
    return formatDateTimeText(toDateTimeValue(file.lastModified()), m_locale);
}

void TDirForm::MfilelbClick()
{
    const QString current = cleanPath(m_viewer.currentFile());
    if (m_files->currentItem() == nullptr && !current.isEmpty() && QFileInfo(current).isFile()) {
        if (QFileInfo(current).path() != m_fileDirectory)
            setFileListDirectory(QFileInfo(current).path());
        const QList<QListWidgetItem*> found =
            m_files->findItems(QFileInfo(current).fileName(), Qt::MatchExactly);
        if (!found.isEmpty())
            m_files->setCurrentItem(found.first());
    }
    if (m_files->currentItem() == nullptr)
        return;
    const QString name = m_files->currentItem()->text();
    const QString file = chosenFile();
    // A refused file cannot be dragged onto the grid or added by the double-click that follows.
    // A notes save reads the list again meanwhile, so the entry is looked up by its name.
    const auto refuse = [this, name](const QString& text) {
        for (QListWidgetItem* entry : m_files->findItems(name, Qt::MatchExactly))
            entry->setFlags(entry->flags() & ~Qt::ItemIsDragEnabled);
        m_prompter.ask({QStringLiteral("Warning"), text, PromptIcon::Warning, PromptButtons::Ok});
    };
    if (hasSystemExtension(file)) {
        refuse(systemExtensionText());
        return;
    }
    MemoModified();
    const TextReadResult read = readTextLines(file);
    if (!read.ok()) {
        report(QStringLiteral("Open"), read.error->message);
        return;
    }
    if (!hasTestFileSize(read.lines.size())) {
        refuse(testFileSizeText());
        m_text.clear();
        return;
    }
    m_viewer.setCurrentFile(file);
    m_runViewer.showRun(read.lines, QStringLiteral("clWhite"), name);
    Check_File_Path(file);
    emit fileNameProposalRequested();
}

void TDirForm::Check_File_Path(const QString& fullPath)
{
    const StoredPathRepair check = checkStoredPath(m_root, fullPath, m_text.lines());
    switch (check.outcome) {
    case StoredPathRepair::Outcome::Unchanged:
        return;
    case StoredPathRepair::Outcome::OutsideLibrary:
        report(QStringLiteral("Check File Path"), check.message);
        return;
    case StoredPathRepair::Outcome::Repaired:
        // The repaired line 2 names the file itself, so this writes exactly the file just read.
        m_text.setLines(check.lines, true);
        if (const std::optional<QString> error = m_text.saveInLibrary(m_root))
            report(QStringLiteral("Check File Path"), *error);
        m_files->setFocus();
        return;
    }
}

// ---- the notes guard ----

bool TDirForm::MemoModified()
{
    m_runViewer.raise();
    if (!m_text.isModified())
        return false;
    m_text.setModified(false);
    const std::optional<QString> named = resolveInsideRoot(m_root, m_text.storedPath());
    QString target = QDir::toNativeSeparators(
        named.value_or(m_root + QLatin1Char('/') + fromStoredPath(m_text.storedPath())));
    for (;;) {
        const std::optional<QString> typed =
            m_prompter.input(QStringLiteral("The file in the Memo box has changed."),
                             QStringLiteral("\"ok\" to save changes, \"Cancel\" will undo changes."), target);
        if (!typed)
            return true;
        target = *typed;
        const QString file = cleanPath(*typed);
        // The prefilled name comes from the notes' own line 2: it may not lead out of the library.
        if (const std::optional<QString> refusal = outsideLibraryRefusal(m_root, file)) {
            report(QStringLiteral("Save"), *refusal);
            continue;
        }
        if (const std::optional<FileError> error = writeTextLines(file, m_text.lines())) {
            report(QStringLiteral("Save"), error->message);
            continue;
        }
        break;
    }
    m_text.setModified(false);
    emit refreshRequested();
    setFileListDirectory(m_fileDirectory);
    return false;
}

// ---- layout ----

void TDirForm::showBackground()
{
    const QColor background = colorFromName(m_graph.backgroundColor()).value_or(QColor(Qt::black));
    QPalette look = palette();
    look.setColor(QPalette::Window, background);
    setPalette(look);
    m_grid->setStyleSheet(
        QStringLiteral(
            "QTableWidget { background: %1; gridline-color: #404040; }"
            "QHeaderView::section { background: lime; color: black; border: 0px; border-right: 1px "
            "solid #008000; padding-left: 2px; }")
            .arg(background.name()));
}

void TDirForm::showWidths()
{
    const BrowserWidths& widths = m_layout.browserWidths();
    m_grid->setColumnWidth(0, widths.color);
    m_grid->setColumnWidth(2, widths.date);
    layoutControls();
}

void TDirForm::fitToWidth(int mainWindowHeight)
{
    m_mainWindowHeight = mainWindowHeight;
    layoutControls();
}

void TDirForm::layoutControls()
{
    const int w = width();
    const int listHeight = m_lists[Make]->sizeHint().height();
    for (int level = Make; level <= Version; ++level) {
        m_lists[level]->setGeometry(GraphScreenLayout::levelListRect(level, w, listHeight));
        if (m_mainWindowHeight > 0)
            m_lists[level]->setMaxVisibleItems(GraphScreenLayout::levelListDropDownCount(m_mainWindowHeight));
    }
    const int below = std::max(0, height() - listHeight);
    const BrowserWidths& widths = m_layout.browserWidths();
    m_files->setGeometry(0, listHeight, widths.files, below);
    m_grid->setGeometry(widths.files, listHeight, std::max(0, w - widths.files), below);
    m_grid->setColumnWidth(1, std::max(0, GraphScreenLayout::fileNameColumnWidth(w, widths)));
}

void TDirForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutControls();
}

bool TDirForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_grid->viewport())
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        // Names are accepted from file lists and grids; only the browser's file list adds runs.
        auto* drag = static_cast<QDropEvent*>(event);
        if (qobject_cast<QListWidget*>(drag->source()) || qobject_cast<QTableWidget*>(drag->source())) {
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        if (drop->source() == m_files) {
            QStringList names;
            for (int row = 0; row < m_files->count(); ++row) {
                const QListWidgetItem* item = m_files->item(row);
                if (item->isSelected() && item->flags().testFlag(Qt::ItemIsDragEnabled))
                    names << item->text();
            }
            SelfilegDragDrop(names);
        }
        return true;
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}

} // namespace tolvane
