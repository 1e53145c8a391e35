#include "ui/setup/form_helpers.h"

#include <QLineEdit>
#include <QScreen>
#include <QWidget>

namespace tolvane {

void centreOnFirstShow(QWidget& window, bool& placed)
{
    if (placed)
        return;
    placed = true;
    window.adjustSize();
    if (const QScreen* where = window.screen())
        window.move(where->availableGeometry().center() - QPoint(window.width() / 2, window.height() / 2));
}

void showMaximisedOnScreen(QWidget& window)
{
    if (!window.isMaximized())
        if (const QScreen* where = window.screen())
            window.setGeometry(where->availableGeometry());
    window.showMaximized();
}

QLineEdit* colouredEntry(QWidget* parent, const QString& objectName, const QString& background,
                         const QString& textColour)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setStyleSheet(
        QStringLiteral("QLineEdit { background: %1; color: %2; }").arg(background, textColour));
    return edit;
}

} // namespace tolvane
