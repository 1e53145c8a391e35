#pragma once
// TMkDirF, "Make New Directory": one field holding the full path of the folder to make, prefilled
// by the caller, and OK / Cancel. The caller makes the folder (makeNewFolder) after OK.
#include <QDialog>

#include <optional>

class QLineEdit;

namespace tolvane {

class Prompter;

class TMkDirF : public QDialog {
    Q_OBJECT
public:
    explicit TMkDirF(Prompter& prompter, QWidget* parent = nullptr);

    QLineEdit* NDir() const { return m_path; }
    // Shows the dialog modally with the path prefilled: the typed path, or nullopt on Cancel.
    std::optional<QString> askPath(const QString& prefilled);

private:
    Prompter& m_prompter;
    QLineEdit* m_path;
};

} // namespace tolvane
