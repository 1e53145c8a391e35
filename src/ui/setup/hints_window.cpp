#include "ui/setup/hints_window.h"

namespace tolvane {

THintBrzr::THintBrzr(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("Hints"));
    setSizeGripEnabled(true);
    resize(320, 240);
}

void THintBrzr::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    emit shownChanged(true);
}

void THintBrzr::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    emit shownChanged(false);
}

} // namespace tolvane
