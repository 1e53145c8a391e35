#include "ui/shell/make_dir_dialog.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/common/prompter.h"

namespace tolvane {

TMkDirF::TMkDirF(Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_prompter(prompter), m_path(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Make New Directory"));
    m_path->setObjectName(QStringLiteral("NDir"));
    m_path->setMinimumWidth(360);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_path);
    layout->addWidget(buttons);
}

std::optional<QString> TMkDirF::askPath(const QString& prefilled)
{
    m_path->setText(prefilled);
    if (!m_prompter.runModal(*this))
        return std::nullopt;
    return m_path->text();
}

} // namespace tolvane
