#include "ui/setup/test_setup_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "core/analysis/viewer_state.h"
#include "core/analysis/viewer_text.h"
#include "core/library/file_name_proposal.h"
#include "core/setup/run_conditions.h"
#include "core/setup/setup_loader.h"
#include "core/setup/unit_settings.h"
#include "platform/chart/toolkit_colors.h"
#include "ui/setup/setup_script_page.h"

namespace tolvane {

namespace {

using Spin = TestSetup::Spin;
using Check = TestSetup::Check;
using Text = TestSetup::Text;

template <class E> constexpr std::size_t at(E e)
{
    return static_cast<std::size_t>(e);
}

const QColor Silver(0xC0, 0xC0, 0xC0);

// The groups that never apply together share one place: the stack shows the group of the test
// type, or an empty page when neither applies, and the panel keeps its size whatever the type.
QStackedWidget* exclusiveStack(QWidget* parent, std::initializer_list<QWidget*> pages)
{
    auto* stack = new QStackedWidget(parent);
    for (QWidget* page : pages)
        stack->addWidget(page);
    stack->addWidget(new QWidget(stack));
    return stack;
}

} // namespace

TSetupF::TSetupF(TestSetup& setup, UnitSettings& units, RunConditions& saveDialog, ViewerState& viewer,
                 ViewerText& viewerText, Prompter& prompter, QString testPrmPath, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowMinimizeButtonHint),
      m_setup(setup), m_units(units), m_saveDialog(saveDialog), m_viewer(viewer), m_viewerText(viewerText),
      m_prompter(prompter), m_testPrmPath(std::move(testPrmPath))
{
    setObjectName(QStringLiteral("TSetupF"));
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    setFont(font);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Silver);
    colours.setColor(QPalette::Button, Silver);
    setPalette(colours);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_scriptPage = new SetupScriptPage(m_setup, m_prompter, m_pages);
    m_pages->addTab(buildRecordingPage(), QStringLiteral("Recording parameters"));
    m_pages->addTab(buildSpecialPage(), QStringLiteral("Special Application"));
    m_pages->addTab(m_scriptPage, QStringLiteral("Script Files"));
    m_pages->addTab(buildPathsPage(), QStringLiteral("Paths"));
    m_pages->addTab(buildNotesPage(), QStringLiteral("Test notes"));
    // These two carry the reference test's data for the other windows; the operator has no use
    // for them.
    m_pages->setTabVisible(PathsPage, false);
    m_pages->setTabVisible(NotesPage, false);

    m_apply = new QPushButton(QStringLiteral("Test"), this);
    m_apply->setObjectName(QStringLiteral("ApplyB"));
    m_apply->setToolTip(QStringLiteral("Save changes and Test."));
    m_apply->setDefault(true);
    m_exit = new QPushButton(QStringLiteral("Go Back"), this);
    m_exit->setObjectName(QStringLiteral("Exitb"));
    m_exit->setToolTip(QStringLiteral("Undo ALL changes."));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_apply);
    buttons->addWidget(m_exit);

    auto* top = new QHBoxLayout;
    top->addWidget(buildLeftPanel());
    top->addWidget(m_pages, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

    connect(m_apply, &QPushButton::clicked, this, &TSetupF::ApplyBClick);
    connect(m_exit, &QPushButton::clicked, this, &TSetupF::ExitbClick);
    connect(m_testTypes, &QButtonGroup::idClicked, this, [this](int id) {
        if (const auto type = testTypeFromIndex(id))
            TstTypRClick(*type);
    });
    InertiaE()->installEventFilter(this);

    connect(&m_setup, &TestSetup::valueChanged, this, &TSetupF::showValue);
    connect(&m_setup, &TestSetup::checkedChanged, this, &TSetupF::showChecked);
    connect(&m_setup, &TestSetup::textChanged, this, &TSetupF::showText);
    connect(&m_setup, &TestSetup::enabledChanged, this, &TSetupF::showEnabled);
    connect(&m_setup, &TestSetup::testTypeChanged, this, &TSetupF::showTestType);
    connect(&m_setup, &TestSetup::notesChanged, this, &TSetupF::showNotes);
    for (int k = 0; k < int(m_spins.size()); ++k)
        showValue(static_cast<Spin>(k));
    for (int k = 0; k < int(m_checks.size()); ++k)
        showChecked(static_cast<Check>(k));
    for (int k = 0; k < int(m_edits.size()); ++k)
        showText(static_cast<Text>(k));
    showEnabled();
    showTestType();
    showNotes();
}

QSpinBox* TSetupF::makeSpin(Spin spin, const char* name, const QString& hint)
{
    auto* box = new QSpinBox(this);
    box->setObjectName(QLatin1String(name));
    box->setToolTip(hint);
    // The value is taken when the operator has finished typing: an increment typed digit by digit
    // would otherwise build (and warn about) a script for every digit on the way.
    box->setKeyboardTracking(false);
    box->setMinimumWidth(80);
    m_spins[at(spin)] = box;
    connect(box, &QSpinBox::valueChanged, this, [this, spin](int value) { takeValue(spin, value); });
    return box;
}

void TSetupF::takeValue(Spin spin, int value)
{
    m_setup.setValue(spin, value);
    // The model may have kept another value (a moved limit): the control shows what it holds.
    showValue(spin);
}

QSlider* TSetupF::makeTrackBar(Spin spin, const char* name)
{
    auto* bar = new QSlider(Qt::Horizontal, this);
    bar->setObjectName(QLatin1String(name));
    bar->setTickPosition(QSlider::TicksBelow);
    bar->setTickInterval(1);
    bar->setPageStep(1);
    connect(bar, &QSlider::valueChanged, this, [this, spin](int value) { takeValue(spin, value); });
    return bar;
}

QCheckBox* TSetupF::makeCheck(Check check, const char* name, const QString& caption)
{
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(QLatin1String(name));
    m_checks[at(check)] = box;
    connect(box, &QCheckBox::clicked, this, [this, check](bool checked) {
        m_setup.setChecked(check, checked);
        showChecked(check);
    });
    return box;
}

QLineEdit* TSetupF::makeEdit(Text field, const char* name)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QLatin1String(name));
    m_edits[at(field)] = edit;
    connect(edit, &QLineEdit::textEdited, this,
            [this, field](const QString& text) { m_setup.setText(field, text); });
    return edit;
}

QWidget* TSetupF::buildLeftPanel()
{
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    m_testTypeBox = new QGroupBox(QStringLiteral(" Select Test Type "), panel);
    m_testTypeBox->setObjectName(QStringLiteral("TstTypR"));
    m_testTypes = new QButtonGroup(this);
    auto* types = new QGridLayout(m_testTypeBox);
    const QStringList items = testTypeItems();
    for (int k = 0; k < items.size(); ++k) {
        auto* item = new QRadioButton(items[k], m_testTypeBox);
        m_testTypes->addButton(item, k);
        types->addWidget(item, k % 3, k / 3);
    }
    layout->addWidget(m_testTypeBox);

    auto* range = new QFormLayout;
    range->setLabelAlignment(Qt::AlignRight);
    makeEdit(Text::TachRatio, "TachRatio")
        ->setToolTip(
            QStringLiteral("To Cal. Ratio goto test and Press the F8 key @ 8,000 rpm, for example."));
    range->addRow(QStringLiteral("Tachometer Ratio:"), TachRatio());
    range->addRow(
        QStringLiteral("Start RPM:"),
        makeSpin(Spin::MnRpm, "MnRpm", QStringLiteral("Enter Minimum engine rpm you want to test at.")));
    range->addRow(
        QStringLiteral("End RPM:"),
        makeSpin(Spin::RedLine, "RedLine", QStringLiteral("Enter Maximum engine rpm you want to test at.")));
    for (Spin spin : {Spin::MnRpm, Spin::RedLine})
        m_spins[at(spin)]->setAutoFillBackground(true);
    layout->addLayout(range);

    m_autoIncrementPanel = new QWidget(panel);
    auto* increment = new QHBoxLayout(m_autoIncrementPanel);
    increment->setContentsMargins(0, 0, 0, 0);
    increment->addWidget(makeCheck(Check::AutoInccb, "AutoInccb", QStringLiteral("Auto increment:")));
    increment->addWidget(makeSpin(Spin::AutoInc, "AutoInc",
                                  QStringLiteral("Target will increment by this value after a record")));
    m_spins[at(Spin::AutoInc)]->setSingleStep(100);

    m_accelerationPanel = new QWidget(panel);
    auto* acceleration = new QGridLayout(m_accelerationPanel);
    acceleration->setContentsMargins(0, 0, 0, 0);
    acceleration->addWidget(new QLabel(QStringLiteral("Acceleration:")), 0, 0);
    acceleration->addWidget(makeSpin(Spin::WWRider, "WWRider", QStringLiteral("Target Rate of Acceleration")),
                            1, 0);
    acceleration->addWidget(new QLabel(QStringLiteral("10-15 = slow "), m_accelerationPanel), 0, 1);
    acceleration->addWidget(new QLabel(QStringLiteral("20      = normal "), m_accelerationPanel), 1, 1);
    acceleration->addWidget(new QLabel(QStringLiteral("25+    = quick "), m_accelerationPanel), 2, 1);
    auto* upper = exclusiveStack(panel, {m_autoIncrementPanel, m_accelerationPanel});
    upper->setObjectName(QStringLiteral("upperGroups"));
    layout->addWidget(upper);

    m_stepGroup = new QGroupBox(panel);
    m_stepGroup->setObjectName(QStringLiteral("GroupBox4"));
    auto* step = new QGridLayout(m_stepGroup);
    step->addWidget(makeCheck(Check::AutoDecellcb, "AutoDecellcb", QStringLiteral("Auto Decel:")), 0, 0);
    step->addWidget(makeSpin(Spin::AutoDecell, "AutoDecell"), 0, 1);
    step->addWidget(makeCheck(Check::DefDecEn, "DefDecEn", QStringLiteral("Use default value")), 1, 1);
    step->addWidget(makeCheck(Check::WarmToCb, "WarmToCb", QStringLiteral("Warm up to:")), 2, 0);
    step->addWidget(makeSpin(Spin::WarmTo, "WarmTo"), 2, 1);
    for (Spin spin : {Spin::AutoDecell, Spin::WarmTo})
        m_spins[at(spin)]->setSingleStep(100);

    m_sweepGroup = new QGroupBox(panel);
    m_sweepGroup->setObjectName(QStringLiteral("GroupBox3"));
    auto* sweep = new QFormLayout(m_sweepGroup);
    sweep->addRow(QStringLiteral("Hold while fps/s <:"), makeSpin(Spin::DrgCo, "DrgCo"));
    m_spins[at(Spin::DrgCo)]->setSingleStep(2);
    makeEdit(Text::InertiaE, "InertiaE")
        ->setToolTip(QStringLiteral("Use 2.5 when the rotating mass of the vehicle is not known."));
    sweep->addRow(QStringLiteral("Rotating mass value."), InertiaE());
    auto* lower = exclusiveStack(panel, {m_stepGroup, m_sweepGroup});
    lower->setObjectName(QStringLiteral("lowerGroups"));
    layout->addWidget(lower);
    layout->addStretch();
    panel->setFixedWidth(260);
    return panel;
}

QWidget* TSetupF::buildRecordingPage()
{
    auto* page = new QWidget(m_pages);
    auto* layout = new QVBoxLayout(page);

    auto* thresholds = new QGroupBox(QStringLiteral(" Step test recording thresholds "), page);
    auto* grid = new QGridLayout(thresholds);
    grid->addWidget(new QLabel(QStringLiteral("Max fps/s")), 0, 0);
    grid->addWidget(makeSpin(Spin::Mxfpss, "Mxfpss", QStringLiteral("add if Speed is unstable")), 0, 1);
    // The load threshold follows the speed threshold; nobody sets it on its own.
    makeSpin(Spin::MxLbss, "MxLbss", QStringLiteral("add if load is unstable"))->hide();
    grid->addWidget(new QLabel(QStringLiteral("Lowest Hp")), 1, 0);
    grid->addWidget(
        makeSpin(Spin::MnHP, "MnHP", QStringLiteral("Raise to not allow record while warming up")), 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Required samples")), 2, 0);
    grid->addWidget(makeSpin(Spin::MnSec, "MnSec", QStringLiteral("Raise for more time to record")), 2, 1);
    auto* recommended = new QVBoxLayout;
    for (const char* line : {"Normal engine    = 30", "Smooth engine   = 20", "Rough engine     = 40"})
        recommended->addWidget(new QLabel(QLatin1String(line), thresholds));
    grid->addLayout(recommended, 0, 2, 3, 1);
    grid->setColumnStretch(2, 1);
    grid->setColumnMinimumWidth(2, 140);
    layout->addWidget(thresholds);

    auto* brake = new QGroupBox(QStringLiteral("Brake Control Factors"), page);
    auto* factors = new QVBoxLayout(brake);
    m_amfsbCaption = new QLabel(brake);
    m_amfsbCaption->setObjectName(QStringLiteral("AMFSBLabel"));
    m_amfsb = makeTrackBar(Spin::AMFSB, "AMFSB");
    m_fdfsbCaption = new QLabel(brake);
    m_fdfsbCaption->setObjectName(QStringLiteral("FDFSBLabel"));
    m_fdfsb = makeTrackBar(Spin::FDFSB, "FDFSB");
    factors->addWidget(m_amfsbCaption);
    factors->addWidget(m_amfsb);
    factors->addWidget(m_fdfsbCaption);
    factors->addWidget(m_fdfsb);
    auto* guidance = new QLabel(
        QStringLiteral("Too high a setting keeps the rpm from overshooting the target. Too low a setting "
                       "lets the rpm overshoot the target by more than a few rpm at first. The setting is "
                       "right when the rpm cycles over and under the target a few times per second."),
        brake);
    guidance->setObjectName(QStringLiteral("BrakeGuidance"));
    guidance->setWordWrap(true);
    guidance->setFrameShape(QFrame::StyledPanel);
    guidance->setMargin(4);
    factors->addWidget(guidance);
    layout->addWidget(brake);
    layout->addStretch();
    return page;
}

QWidget* TSetupF::buildSpecialPage()
{
    auto* page = new QWidget(m_pages);
    auto* layout = new QGridLayout(page);
    m_smpDlyLabel = new QLabel(QStringLiteral("Sample Delay"), page);
    layout->addWidget(m_smpDlyLabel, 0, 0);
    layout->addWidget(makeSpin(Spin::SmpDly, "SmpDly"), 0, 1);
    layout->addWidget(makeCheck(Check::EgaEnabled, "EgaEnabled", QStringLiteral("Enable EGA")), 1, 0, 1, 2);
    layout->addWidget(makeCheck(Check::USBenable, "USBenable", QStringLiteral("USB Black Box")), 2, 0, 1, 2);
    layout->addWidget(makeCheck(Check::ISAenable, "ISAenable", QStringLiteral(" ISA Analog Out")), 3, 0, 1,
                      2);
    layout->addWidget(makeCheck(Check::PCIEn, "PCIEn", QStringLiteral("PCI Base Addr.")), 4, 0);
    layout->addWidget(makeEdit(Text::Baddr, "Baddr"), 4, 1);
    layout->addWidget(makeCheck(Check::CheckBox1, "CheckBox1", QStringLiteral("Display output")), 5, 0, 1, 2);

    // The data link of the step-test window, described for the operator who sets up a client.
    auto* dde = new QGroupBox(page);
    auto* fields = new QFormLayout(dde);
    auto* server = new QCheckBox(QStringLiteral("DDE Server"), dde);
    server->setObjectName(QStringLiteral("DDEenable"));
    server->setEnabled(false);
    fields->addRow(server);
    struct Field {
        const char* name;
        const char* caption;
        const char* text;
    };
    for (const Field& f :
         {Field{"DSer", "Service", "Dyno_ega32"}, Field{"DTop", "Topic", "QV512e_DDE"},
          Field{"DItem", "Item", "DdeServerItem1"}, Field{"DApp", "Application", "//Self//"}}) {
        auto* edit = new QLineEdit(QLatin1String(f.text), dde);
        edit->setObjectName(QLatin1String(f.name));
        edit->setReadOnly(true);
        fields->addRow(QLatin1String(f.caption), edit);
    }
    auto* link = new QPushButton(QStringLiteral("Set Link"), dde);
    link->setObjectName(QStringLiteral("CopyLink"));
    link->setEnabled(false); // no data link to copy to the clipboard yet
    fields->addRow(link);
    layout->addWidget(dde, 0, 2, 7, 1);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(6, 1);
    return page;
}

QWidget* TSetupF::buildPathsPage()
{
    auto* page = new QWidget(m_pages);
    auto* layout = new QFormLayout(page);
    struct Row {
        Text field;
        const char* name;
        const char* caption;
    };
    for (const Row& row :
         {Row{Text::NFName, "NFName", "New file:"}, Row{Text::RootDirL, "RootDirL", "Root:"},
          Row{Text::MnL, "MnL", "  Manufacture:"}, Row{Text::YMdL, "YMdL", "  Year model:"},
          Row{Text::NmL, "NmL", "  Owners name:"}, Row{Text::ExtraL, "ExtraL", "  Extra Field:"},
          Row{Text::TemPath, "TemPath", "Reference:"}}) {
        auto* label = new QLabel(page);
        label->setObjectName(QLatin1String(row.name));
        m_pathLabels[at(row.field)] = label;
        layout->addRow(QLatin1String(row.caption), label);
    }
    m_tempP = new QLabel(page);
    m_tempP->setObjectName(QStringLiteral("TempP"));
    m_tempP->setFrameShape(QFrame::Panel);
    m_pathLabels[at(Text::TempP)] = m_tempP;
    layout->addRow(m_tempP);
    return page;
}

QWidget* TSetupF::buildNotesPage()
{
    auto* page = new QWidget(m_pages);
    auto* layout = new QVBoxLayout(page);
    m_notes = new QPlainTextEdit(page);
    m_notes->setObjectName(QStringLiteral("SetUpMemo"));
    m_notes->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(m_notes);
    connect(m_notes, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = m_notes->toPlainText();
        m_setup.setNotes(text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n')));
    });
    return page;
}

QSpinBox* TSetupF::spin(Spin spin) const
{
    return at(spin) < m_spins.size() ? m_spins[at(spin)] : nullptr;
}

QCheckBox* TSetupF::check(Check check) const
{
    return at(check) < m_checks.size() ? m_checks[at(check)] : nullptr;
}

QLabel* TSetupF::pathLabel(Text field) const
{
    return at(field) < m_pathLabels.size() ? m_pathLabels[at(field)] : nullptr;
}

void TSetupF::showValue(Spin spin)
{
    const TestSetup::Range range = m_setup.range(spin);
    if (QSpinBox* box = this->spin(spin)) {
        const QSignalBlocker quiet(box);
        box->setRange(range.minimum, range.maximum);
        box->setValue(m_setup.value(spin));
    } else if (QSlider* bar = spin == Spin::AMFSB ? m_amfsb : spin == Spin::FDFSB ? m_fdfsb : nullptr) {
        const QSignalBlocker quiet(bar);
        bar->setRange(range.minimum, range.maximum);
        bar->setValue(m_setup.value(spin));
        QLabel* caption = spin == Spin::AMFSB ? m_amfsbCaption : m_fdfsbCaption;
        caption->setText(spin == Spin::AMFSB ? m_setup.AMFSBCaption() : m_setup.FDFSBCaption());
    }
    // The auto-deceleration minimum moves with other values without a change of its own.
    if (spin != Spin::AutoDecell)
        showValue(Spin::AutoDecell);
}

void TSetupF::showChecked(Check check)
{
    if (QCheckBox* box = this->check(check)) {
        const QSignalBlocker quiet(box);
        box->setChecked(m_setup.isChecked(check));
    }
}

void TSetupF::showText(Text field)
{
    const QString& text = m_setup.text(field);
    if (field == Text::Caption)
        setWindowTitle(text);
    else if (field == Text::TempP)
        m_tempP->setToolTip(text);
    else if (QLineEdit* edit = m_edits[at(field)]) {
        if (edit->text() != text)
            edit->setText(text);
    } else if (QLabel* label = m_pathLabels[at(field)])
        label->setText(text);
}

void TSetupF::showEnabled()
{
    spin(Spin::AutoDecell)->setEnabled(m_setup.autoDecellEnabled());
    spin(Spin::SmpDly)->setEnabled(m_setup.smpDlyEnabled());
    m_smpDlyLabel->setEnabled(m_setup.smpDlyEnabled());
    check(Check::EgaEnabled)->setEnabled(m_setup.egaAvailable());
    check(Check::ISAenable)->setEnabled(false);
    Baddr()->setEnabled(m_setup.baddrEnabled());
    showValue(Spin::AutoDecell);
}

void TSetupF::showTestType()
{
    const TestType type = m_setup.testType();
    if (QAbstractButton* item = m_testTypes->button(static_cast<int>(type)))
        item->setChecked(true);
    const SetupGroups groups = m_setup.groups();
    auto* upper = static_cast<QStackedWidget*>(m_autoIncrementPanel->parentWidget());
    upper->setCurrentIndex(groups.autoIncrement ? 0 : groups.acceleration ? 1 : 2);
    auto* lower = static_cast<QStackedWidget*>(m_stepGroup->parentWidget());
    lower->setCurrentIndex(groups.stepGroup ? 0 : groups.sweepGroup ? 1 : 2);

    // "Button face" has no fixed value: it is the window's own button colour.
    const QColor background =
        colorFromName(m_setup.rangeColour()).value_or(palette().color(QPalette::Button));
    const QColor text = background.lightness() < 110 ? QColor(Qt::white) : QColor(Qt::black);
    for (Spin spin : {Spin::MnRpm, Spin::RedLine}) {
        QSpinBox* box = this->spin(spin);
        QPalette colours = box->palette();
        colours.setColor(QPalette::Base, background);
        colours.setColor(QPalette::Text, text);
        box->setPalette(colours);
    }
}

void TSetupF::showNotes()
{
    const QString text = m_setup.notes().join(QLatin1Char('\n'));
    if (m_notes->toPlainText() == text)
        return;
    const QSignalBlocker quiet(m_notes);
    m_notes->setPlainText(text);
}

void TSetupF::runScriptSearch()
{
    const auto page = m_scriptPage->ChkScript(m_viewer.currentFile());
    if (page)
        m_pages->setCurrentIndex(*page == ScriptFiles::Page::ScriptFiles ? ScriptPage : RecordingPage);
}

void TSetupF::ReadVals()
{
    tolvane::ReadVals(m_setup, m_units, m_saveDialog, {m_viewer.currentFile(), m_viewerText.lines()},
                      m_testPrmPath, m_prompter);
    if (m_setup.chkScriptPending() && isVisible())
        runScriptSearch();
}

void TSetupF::LoadNotes()
{
    tolvane::LoadNotes(m_setup, m_saveDialog, m_viewerText.lines());
}

void TSetupF::DefaultValues()
{
    tolvane::DefaultValues(m_setup, m_testPrmPath, m_prompter);
}

void TSetupF::WrtNewDirs()
{
    tolvane::WrtNewDirs(m_setup, m_saveDialog, m_root, m_viewer.currentFile());
}

void TSetupF::TstTypRClick(TestType type)
{
    m_setup.TstTypRClick(type);
    proposeSetupFileName(m_setup, m_saveDialog, m_viewer.currentFile());
}

void TSetupF::ApplyBClick()
{
    // Pressing "Test" straight from a bad inertia must not hand it to the sweep window: the
    // operator gets the warning and stays here.
    if (!m_setup.InertiaEExit()) {
        InertiaE()->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_viewer.setCurrentFile(tolvane::ApplyBClick(m_setup, m_saveDialog, m_units, m_viewer.currentFile()));
    SaveasDefault1Click();
    close();
    emit testStarted();
}

void TSetupF::SaveasDefault1Click()
{
    emit applyToTestWindows();
}

void TSetupF::ExitbClick()
{
    hide();
    emit wentBack();
}

void TSetupF::FormShow()
{
    // The DAQ calibration window, which shares the serial unit's port, is closed here once it
    // exists.
    m_setup.FormShow();
    if (m_setup.chkScriptPending())
        runScriptSearch();
}

void TSetupF::InertiaEExit()
{
    if (!m_setup.InertiaEExit())
        InertiaE()->setFocus(Qt::OtherFocusReason);
}

void TSetupF::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_placed && !event->spontaneous()) {
        m_placed = true;
        if (const QScreen* where = screen())
            move(where->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
    if (!event->spontaneous())
        FormShow();
}

void TSetupF::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    emit mainWindowHideRequested();
}

bool TSetupF::eventFilter(QObject* watched, QEvent* event)
{
    // The warning is a modal box: it must not open inside the focus change that brought it.
    // Only a move to another control counts as leaving the value, not a switch to another window.
    if (watched == InertiaE() && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            QTimer::singleShot(0, this, &TSetupF::InertiaEExit);
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tolvane
