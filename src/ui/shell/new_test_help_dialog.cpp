#include "ui/shell/new_test_help_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/common/configuration.h"
#include "core/common/prompter.h"

namespace tolvane {

namespace {

const QString Caption = QStringLiteral("New Test Help");

const QStringList HelpLines{
    QStringLiteral(" To load Auto Setup test parameters for the test you are about to do, go back to the "),
    QStringLiteral("Graph Screen and click once on the test that you want to use for Auto Setup, then "),
    QStringLiteral("click on \"Go to Test\" again."),
    QStringLiteral("That will:"),
    QStringLiteral("1. Preload all test parameters from the reference test so you can test under identical "),
    QStringLiteral("program settings for maximum QV512 repeatability."),
    QStringLiteral("2. Preload the Reference Power Graph from the reference test so that you can real "),
    QStringLiteral(
        "time monitor the progress of your new test - as you are doing it.  That will give you the "),
    QStringLiteral(
        "option of aborting or shortening the test if the tuning modifications that you are testing "),
    QStringLiteral("are obviously not working well in comparison to the test that you are using as a "),
    QStringLiteral("reference..  The object of QV512 Tuning Procedures, as always, is to make as many "),
    QStringLiteral("positive changes with the least amount of engine runtime."),
};

} // namespace

TNtstDia::TNtstDia(Configuration& config, Prompter& prompter, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), m_config(config), m_prompter(prompter)
{
    setWindowTitle(Caption);
    auto* column = new QVBoxLayout(this);
    m_text = new QPlainTextEdit;
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_text->setPlainText(HelpLines.join(QLatin1Char('\n')));
    m_text->setMinimumSize(580, 220);
    column->addWidget(m_text);

    auto* row = new QHBoxLayout;
    m_showCB = new QCheckBox(QStringLiteral("Always show this box before testing."));
    m_showCB->setChecked(true);
    connect(m_showCB, &QCheckBox::clicked, this, &TNtstDia::ShowCBClick);
    auto* close = new QPushButton(QStringLiteral("Close"));
    connect(close, &QPushButton::clicked, this, &TNtstDia::CloseBtnClick);
    row->addWidget(m_showCB);
    row->addStretch();
    row->addWidget(close);
    column->addLayout(row);
}

void TNtstDia::showIfWanted()
{
    // The setup window has just been raised and activated: the help comes over it, not behind.
    if (m_config.showHelp()) {
        show();
        raise();
        activateWindow();
    }
}

void TNtstDia::ShowCBClick()
{
    ConfigChanges changes = m_config.changes();
    changes.setShowHelp(false);
    if (const auto error = m_config.apply(changes))
        m_prompter.inform(Caption, error->message, PromptIcon::Warning);
    hide();
}

void TNtstDia::CloseBtnClick()
{
    hide();
}

} // namespace tolvane
