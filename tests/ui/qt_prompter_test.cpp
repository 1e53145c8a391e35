// The Qt prompter's message boxes: each button set shows exactly its buttons, and each button
// gives its answer.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QTimer>

#include "ui/shell/qt_prompter.h"

namespace tolvane {
namespace {

TEST(QtPrompter, EachButtonSetShowsItsButtonsAndAnswers)
{
    using B = QMessageBox;
    const struct {
        PromptButtons buttons;
        std::vector<std::pair<QMessageBox::StandardButton, PromptAnswer>> shown;
    } cases[] = {
        {PromptButtons::Ok, {{B::Ok, PromptAnswer::Ok}}},
        {PromptButtons::OkCancel, {{B::Ok, PromptAnswer::Ok}, {B::Cancel, PromptAnswer::Cancel}}},
        {PromptButtons::YesNo, {{B::Yes, PromptAnswer::Yes}, {B::No, PromptAnswer::No}}},
        {PromptButtons::YesNoCancel,
         {{B::Yes, PromptAnswer::Yes}, {B::No, PromptAnswer::No}, {B::Cancel, PromptAnswer::Cancel}}},
        {PromptButtons::Retry, {{B::Retry, PromptAnswer::Retry}}},
        {PromptButtons::RetryCancel, {{B::Retry, PromptAnswer::Retry}, {B::Cancel, PromptAnswer::Cancel}}},
        {PromptButtons::CancelIgnore, {{B::Cancel, PromptAnswer::Cancel}, {B::Ignore, PromptAnswer::Ignore}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.buttons));
        const auto box = makeMessageBox(
            {QStringLiteral("Title"), QStringLiteral("Text"), PromptIcon::None, c.buttons}, nullptr);
        const QList<QAbstractButton*> buttons = box->buttons();
        ASSERT_EQ(buttons.size(), qsizetype(c.shown.size()));
        for (const auto& [button, answer] : c.shown) {
            EXPECT_NE(box->button(button), nullptr);
            EXPECT_EQ(answerOf(button), answer);
        }
    }
    // A box closed without a button counts as Cancel.
    EXPECT_EQ(answerOf(QMessageBox::NoButton), PromptAnswer::Cancel);
}

TEST(QtPrompter, TitleTextAndIconAsAsked)
{
    const struct {
        PromptIcon icon;
        QMessageBox::Icon shown;
    } cases[] = {{PromptIcon::None, QMessageBox::NoIcon},
                 {PromptIcon::Information, QMessageBox::Information},
                 {PromptIcon::Warning, QMessageBox::Warning},
                 {PromptIcon::Error, QMessageBox::Critical},
                 {PromptIcon::Question, QMessageBox::Question}};
    for (const auto& c : cases) {
        // A text with "<" stays text, not markup.
        const auto box =
            makeMessageBox({QStringLiteral("Save Test"), QStringLiteral("  File <a.STP> exists!  "), c.icon,
                            PromptButtons::Ok},
                           nullptr);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Save Test"));
        EXPECT_EQ(box->text(), QStringLiteral("  File <a.STP> exists!  "));
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->icon(), c.shown);
    }
}

// The program's own windows shown modally: the answer is the window's own OK or Cancel, and
// something that is no dialog is never shown and counts as cancelled.
TEST(QtPrompter, ModalWindowsAnswerWithTheirOwnResult)
{
    QtPrompter prompter;
    for (const bool accept : {true, false}) {
        QDialog dialog;
        QTimer::singleShot(0, &dialog, [&dialog, accept] { accept ? dialog.accept() : dialog.reject(); });
        EXPECT_EQ(prompter.runModal(dialog), accept);
    }
    QObject notADialog;
    EXPECT_FALSE(prompter.runModal(notADialog));
}

} // namespace
} // namespace tolvane
