#include "ui/setup/atmospheric_window.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/setup/atmospheric_conditions.h"

namespace tolvane {

namespace {

void setTextKeepingCursor(QLineEdit* edit, const QString& text)
{
    if (edit->text() != text)
        edit->setText(text);
}

} // namespace

TAtomComdF::TAtomComdF(AtmosphericConditions& model, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_model(model), m_temperature(new QLineEdit(this)), m_pressure(new QLineEdit(this)),
      m_humidity(new QLineEdit(this)), m_temperatureUnit(new QLabel(this)), m_pressureUnit(new QLabel(this)),
      m_factor(new QLineEdit(this)), m_standard(new QComboBox(this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)),
      m_back(new QPushButton(QStringLiteral("Go Back"), this)), m_menu(new QMenu(this))
{
    setWindowTitle(QStringLiteral("Enter atmospheric conditions"));
    m_temperature->setToolTip(QStringLiteral("Dbl. Click to Change Units"));
    m_factor->setReadOnly(true);
    m_standard->addItems(AtmosphericConditions::correctionStandards());
    m_standard->setCurrentIndex(0);
    m_ok->setDefault(true);

    auto* grid = new QGridLayout;
    const auto addRow = [grid](int row, const QString& caption, QWidget* field, QWidget* unit) {
        grid->addWidget(new QLabel(caption), row, 0);
        grid->addWidget(field, row, 1);
        if (unit)
            grid->addWidget(unit, row, 2);
    };
    addRow(0, QStringLiteral("Air Temperature"), m_temperature, m_temperatureUnit);
    addRow(1, QStringLiteral("Air Pressure"), m_pressure, m_pressureUnit);
    addRow(2, QStringLiteral("Air Humidity"), m_humidity, new QLabel(QStringLiteral("%")));
    addRow(3, QStringLiteral("Correction Factor :"), m_factor, nullptr);
    grid->addWidget(m_standard, 4, 1);
    grid->setColumnMinimumWidth(2, 60);

    auto* note = new QLabel(QStringLiteral("Double click or Right click entry to change units."), this);
    note->setStyleSheet(QStringLiteral("color: red;"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_back);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(note);
    layout->addLayout(buttons);

    m_menu->addAction(QStringLiteral("Centigrade"), &m_model, &AtmosphericConditions::Centigrade1Click);
    m_menu->addAction(QStringLiteral("Farhrenheit"), &m_model, &AtmosphericConditions::Farhrenheit1Click);
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("mb "), &m_model, &AtmosphericConditions::mb1Click);
    m_menu->addAction(QStringLiteral("\"hg"), &m_model, &AtmosphericConditions::hg1Click);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_menu->popup(mapToGlobal(at)); });
    for (QLineEdit* entry : {m_temperature, m_pressure, m_humidity}) {
        entry->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(entry, &QWidget::customContextMenuRequested, this,
                [this, entry](const QPoint& at) { m_menu->popup(entry->mapToGlobal(at)); });
    }
    m_temperature->installEventFilter(this);
    m_pressure->installEventFilter(this);

    connect(m_temperature, &QLineEdit::textEdited, &m_model, &AtmosphericConditions::setTmpB);
    connect(m_pressure, &QLineEdit::textEdited, &m_model, &AtmosphericConditions::setPSIB);
    connect(m_humidity, &QLineEdit::textEdited, &m_model, &AtmosphericConditions::setHumdtyb);
    connect(m_ok, &QPushButton::clicked, this, &TAtomComdF::OkBClick);
    connect(m_back, &QPushButton::clicked, this, &TAtomComdF::BackBClick);
    connect(&m_model, &AtmosphericConditions::changed, this, &TAtomComdF::showModel);
    showModel();
}

void TAtomComdF::showModel()
{
    setTextKeepingCursor(m_temperature, m_model.TmpB());
    setTextKeepingCursor(m_pressure, m_model.PSIB());
    setTextKeepingCursor(m_humidity, m_model.Humdtyb());
    m_temperatureUnit->setText(m_model.TmpL());
    m_pressureUnit->setText(m_model.PreL());
    m_factor->setText(m_model.CorrectF());
    m_ok->setEnabled(m_model.okEnabled());
}

void TAtomComdF::OkBClick()
{
    const AtmosphericConditions::OkResult result = m_model.OkBClick();
    if (result == AtmosphericConditions::OkResult::Accepted) {
        close();
        emit saveDialogRequested();
    }
    emit saveFolderRereadRequested();
}

void TAtomComdF::BackBClick()
{
    close();
    emit goBackRequested();
}

bool TAtomComdF::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == m_temperature) {
            m_model.TmpCDblClick();
            return true;
        }
        if (watched == m_pressure) {
            m_model.PSIBDblClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tolvane
