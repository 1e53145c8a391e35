#include "ui/shell/qt_prompter.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QUrl>

#include "platform/chart/toolkit_colors.h"

namespace tolvane {

QMessageBox::StandardButtons standardButtonsOf(PromptButtons buttons)
{
    switch (buttons) {
    case PromptButtons::Ok:
        return QMessageBox::Ok;
    case PromptButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case PromptButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case PromptButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case PromptButtons::Retry:
        return QMessageBox::Retry;
    case PromptButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    case PromptButtons::CancelIgnore:
        return QMessageBox::Cancel | QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

PromptAnswer answerOf(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Ok:
        return PromptAnswer::Ok;
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
    case QMessageBox::No:
        return PromptAnswer::No;
    case QMessageBox::Retry:
        return PromptAnswer::Retry;
    case QMessageBox::Ignore:
        return PromptAnswer::Ignore;
    default:
        return PromptAnswer::Cancel;
    }
}

namespace {

QMessageBox::Icon iconOf(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::None:
        return QMessageBox::NoIcon;
    case PromptIcon::Information:
        return QMessageBox::Information;
    case PromptIcon::Warning:
        return QMessageBox::Warning;
    case PromptIcon::Error:
        return QMessageBox::Critical;
    case PromptIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

std::unique_ptr<QMessageBox> makeMessageBox(const PromptRequest& request, QWidget* parent)
{
    auto box = std::make_unique<QMessageBox>(iconOf(request.icon), request.title, request.text,
                                             standardButtonsOf(request.buttons), parent);
    // Texts are shown as written: a "<" in a file name must not turn the box into markup.
    box->setTextFormat(Qt::PlainText);
    return box;
}

PromptAnswer QtPrompter::ask(const PromptRequest& request)
{
    const std::unique_ptr<QMessageBox> box = makeMessageBox(request, m_parent);
    box->exec();
    return answerOf(box->standardButton(box->clickedButton()));
}

std::optional<QString> QtPrompter::input(const QString& title, const QString& label, const QString& initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(m_parent, title, label, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> QtPrompter::chooseFile(const FileDialogRequest& request)
{
    QString start = request.directory;
    if (!request.fileName.isEmpty())
        start = start.isEmpty() ? request.fileName : start + QLatin1Char('/') + request.fileName;
    QString chosen;
    switch (request.kind) {
    case FileDialogRequest::Kind::Open:
        chosen = QFileDialog::getOpenFileName(m_parent, request.title, start, request.filter);
        break;
    case FileDialogRequest::Kind::Save:
        chosen = QFileDialog::getSaveFileName(m_parent, request.title, start, request.filter);
        break;
    case FileDialogRequest::Kind::Folder:
        chosen = QFileDialog::getExistingDirectory(m_parent, request.title, request.directory);
        break;
    }
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

std::optional<QString> QtPrompter::chooseColor(const QString& initialColorName)
{
    // The custom-colour part of Qt's dialog cannot be hidden; any colour may be chosen.
    const QColor chosen =
        QColorDialog::getColor(colorFromName(initialColorName).value_or(QColor(Qt::black)), m_parent);
    if (!chosen.isValid())
        return std::nullopt;
    return colorToName(chosen);
}

bool QtPrompter::runModal(QObject& dialog)
{
    auto* window = qobject_cast<QDialog*>(&dialog);
    return window != nullptr && window->exec() == QDialog::Accepted;
}

bool QtPrompter::openAddress(const QString& address)
{
    return QDesktopServices::openUrl(QUrl(address));
}

} // namespace tolvane
