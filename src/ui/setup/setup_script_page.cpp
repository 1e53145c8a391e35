#include "ui/setup/setup_script_page.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/setup/test_setup.h"

namespace tolvane {

namespace {

QPushButton* namedButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

// The memo's text as script lines: an empty memo is an empty script, not one empty line.
QStringList memoLines(const QString& text)
{
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

} // namespace

SetupScriptPage::SetupScriptPage(TestSetup& setup, Prompter& prompter, QWidget* parent)
    : QWidget(parent), m_setup(setup), m_files(setup, prompter), m_script(new QPlainTextEdit(this)),
      m_list(new QListWidget(this)), m_browse(namedButton(this, "BrowseScript", QStringLiteral("Browse..."))),
      m_save(namedButton(this, "SaveScript", QStringLiteral("Save As..."))),
      m_clear(namedButton(this, "BitBtn2", QStringLiteral("Clear All"))),
      m_default(namedButton(this, "DefaultB", QStringLiteral("Default"))),
      m_throttlePanel(new QGroupBox(QStringLiteral("Throttle position"), this)),
      m_map(new QRadioButton(QStringLiteral("Map"), m_throttlePanel)),
      m_teka(new QRadioButton(QStringLiteral("Teka"), m_throttlePanel))
{
    m_script->setObjectName(QStringLiteral("Script"));
    m_script->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_script->setFixedWidth(110);
    m_list->setObjectName(QStringLiteral("ScriptLB"));
    m_throttlePanel->setObjectName(QStringLiteral("TPISel"));

    auto* filesBox = new QGroupBox(QStringLiteral("Script Files"), this);
    auto* filesLayout = new QVBoxLayout(filesBox);
    filesLayout->addWidget(m_list);
    auto* fileButtons = new QGridLayout;
    fileButtons->addWidget(m_browse, 0, 0);
    fileButtons->addWidget(m_save, 0, 1);
    fileButtons->addWidget(m_clear, 1, 0);
    fileButtons->addWidget(m_default, 1, 1);
    filesLayout->addLayout(fileButtons);

    // The selectable positions, then the fixed map positions, which are always part of a map and
    // never consulted.
    struct Box {
        const char* name;
        const char* caption;
    };
    const Box selectable[ThrottlePositionCount] = {{"cb8", "  80%"}, {"cb6", "  60%"}, {"cb4", "  40%"},
                                                   {"cb2", "  20%"}, {"cb1", "  10%"}, {"cb5", "    5%"}};
    auto* throttleLayout = new QGridLayout(m_throttlePanel);
    const QList<ThrottlePosition> positions = allThrottlePositions();
    for (int k = 0; k < ThrottlePositionCount; ++k) {
        auto* box = new QCheckBox(QLatin1String(selectable[k].caption), m_throttlePanel);
        box->setObjectName(QLatin1String(selectable[k].name));
        m_throttles[k] = box;
        throttleLayout->addWidget(box, k, 0);
        const ThrottlePosition position = positions[k];
        connect(box, &QCheckBox::clicked, this,
                [this, position](bool checked) { m_setup.setThrottleChecked(position, checked); });
    }
    const char* const fixed[] = {"  75%", "  50%", "  25%", "  10%"};
    for (int k = 0; k < 4; ++k) {
        auto* box = new QCheckBox(QLatin1String(fixed[k]), m_throttlePanel);
        box->setChecked(true);
        box->setEnabled(false);
        throttleLayout->addWidget(box, k, 1);
    }
    m_map->setChecked(true);
    m_teka->setEnabled(false);
    throttleLayout->addWidget(m_map, 4, 1);
    throttleLayout->addWidget(m_teka, 5, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_script);
    layout->addWidget(filesBox, 1);
    layout->addWidget(m_throttlePanel);

    connect(m_script, &QPlainTextEdit::textChanged, this,
            [this] { m_setup.setScript(memoLines(m_script->toPlainText())); });
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ScriptLBDblClick(item->text()); });
    connect(m_list, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { ScriptLBDblClick(item->text()); });
    connect(m_browse, &QPushButton::clicked, this, &SetupScriptPage::BrowseScriptClick);
    connect(m_save, &QPushButton::clicked, this, &SetupScriptPage::SaveScriptClick);
    connect(m_clear, &QPushButton::clicked, this, &SetupScriptPage::BitBtn2Click);
    connect(m_default, &QPushButton::clicked, this, &SetupScriptPage::DefaultBClick);
    connect(&m_setup, &TestSetup::scriptChanged, this, &SetupScriptPage::showScript);
    connect(&m_setup, &TestSetup::throttleChanged, this, &SetupScriptPage::showThrottles);
    connect(&m_setup, &TestSetup::enabledChanged, this, &SetupScriptPage::showThrottles);
    connect(&m_setup, &TestSetup::testTypeChanged, this, &SetupScriptPage::showThrottles);
    showScript();
    showThrottles();
}

QCheckBox* SetupScriptPage::throttleBox(ThrottlePosition position) const
{
    const auto k = static_cast<std::size_t>(position);
    return k < m_throttles.size() ? m_throttles[k] : nullptr;
}

void SetupScriptPage::showScript()
{
    if (memoLines(m_script->toPlainText()) == m_setup.script())
        return;
    const QSignalBlocker quiet(m_script);
    m_script->setPlainText(m_setup.script().join(QLatin1Char('\n')));
}

void SetupScriptPage::showThrottles()
{
    const QList<ThrottlePosition> positions = allThrottlePositions();
    for (int k = 0; k < ThrottlePositionCount; ++k)
        m_throttles[k]->setChecked(m_setup.isThrottleChecked(positions[k]));
    m_throttlePanel->setEnabled(m_setup.throttlePanelEnabled());
}

void SetupScriptPage::rereadList()
{
    m_list->clear();
    m_list->addItems(m_files.files());
}

std::optional<ScriptFiles::Page> SetupScriptPage::ChkScript(const QString& currentFile)
{
    const auto page = m_files.ChkScript(currentFile);
    rereadList();
    return page;
}

void SetupScriptPage::ScriptLBDblClick(const QString& fileName)
{
    m_files.ScriptLBDblClick(fileName);
}

void SetupScriptPage::BrowseScriptClick()
{
    m_files.BrowseScriptClick();
    rereadList();
}

void SetupScriptPage::SaveScriptClick()
{
    m_files.SaveScriptClick();
    rereadList();
}

void SetupScriptPage::BitBtn2Click()
{
    m_setup.BitBtn2Click();
}

void SetupScriptPage::DefaultBClick()
{
    m_setup.DefaultBClick();
}

} // namespace tolvane
