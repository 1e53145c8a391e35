#include "ui/setup/about_window.h"

namespace tolvane {

TAboutBr::TAboutBr(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("Dynamometer Help Browser"));
    resize(480, 360);
}

} // namespace tolvane
