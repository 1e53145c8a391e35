#pragma once
// THintBrzr: the hints window, a sizeable tool window on top of the others. The main window's
// "Hints..." and the step-test window's "Hints" items carry a tick while it is shown; the window
// tells them through shownChanged.
#include <QDialog>

namespace tolvane {

class THintBrzr : public QDialog {
    Q_OBJECT
public:
    explicit THintBrzr(QWidget* parent = nullptr);

signals:
    // true when the window is shown, false when it is closed or hidden.
    void shownChanged(bool shown);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
};

} // namespace tolvane
