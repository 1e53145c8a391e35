#pragma once
// TAboutBr: the help browser, an empty window on top of the others that the Help menu shows.
#include <QWidget>

namespace tolvane {

class TAboutBr : public QWidget {
    Q_OBJECT
public:
    explicit TAboutBr(QWidget* parent = nullptr);
};

} // namespace tolvane
