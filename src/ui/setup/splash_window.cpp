#include "ui/setup/splash_window.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/common/prompter.h"
#include "core/setup/company_info.h"

namespace tolvane {

namespace {

constexpr int SplashMilliseconds = 2100;

const QColor Silver(0xC0, 0xC0, 0xC0);
const QColor Navy(0x00, 0x00, 0x80);
const QColor CompanyBackground(0xBB, 0xBB, 0xB0);

// The product picture: the roller set in its frame, with the brake and the load cell beside it.
QPixmap productPicture()
{
    QPixmap picture(260, 120);
    picture.fill(Silver);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(QColor(0x40, 0x40, 0x40));
    painter.drawRect(20, 80, 220, 24);
    painter.setBrush(QColor(0x90, 0x90, 0x90));
    painter.drawEllipse(QPoint(100, 62), 40, 40);
    painter.setBrush(QColor(0xE0, 0xE0, 0xE0));
    painter.drawEllipse(QPoint(100, 62), 10, 10);
    painter.setBrush(QColor(0x1F, 0x4E, 0x9A));
    painter.drawRect(150, 36, 70, 44);
    painter.setBrush(Qt::yellow);
    painter.drawRect(224, 52, 10, 28);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(150, 36, 70, 44), Qt::AlignCenter, QStringLiteral("QV512e"));
    return picture;
}

QLabel* addLabel(QLayout* layout, const QString& text, Qt::Alignment alignment = Qt::AlignLeft)
{
    auto* label = new QLabel(text);
    label->setAlignment(alignment | Qt::AlignVCenter);
    layout->addWidget(label);
    return label;
}

QLineEdit* companyField()
{
    auto* field = new QLineEdit;
    field->setReadOnly(true);
    field->setFrame(false);
    field->setMinimumWidth(420);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, CompanyBackground);
    palette.setColor(QPalette::Text, Qt::black);
    field->setPalette(palette);
    return field;
}

void makeNavy(QLabel* label)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Navy);
    label->setPalette(palette);
}

} // namespace

Tsplashf::Tsplashf(CompanyInfo& company, const QString& programPath, QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_company(company)
{
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    auto* panel = new QFrame;
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(3);
    panel->setAutoFillBackground(true);
    QPalette silver = panel->palette();
    silver.setColor(QPalette::Window, Silver);
    panel->setPalette(silver);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 8, 8, 8);
    outer->addWidget(panel);

    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(16, 12, 16, 12);
    QLabel* label3 =
        addLabel(column, QStringLiteral("QV512e  Eddy  Current  Dynamometer "), Qt::AlignHCenter);
    QFont title = label3->font();
    title.setPointSize(title.pointSize() + 6);
    title.setBold(true);
    label3->setFont(title);
    addLabel(column, QStringLiteral("USB  data acquisition and analysis software "), Qt::AlignHCenter);

    auto* versionRow = new QHBoxLayout;
    versionRow->addStretch();
    addLabel(versionRow, QStringLiteral("Version:"));
    m_versionLDD = addLabel(versionRow, QString::fromLatin1(VersionText));
    versionRow->addStretch();
    column->addLayout(versionRow);

    QLabel* image1 = addLabel(column, QString(), Qt::AlignHCenter);
    image1->setPixmap(productPicture());

    auto* fields = new QGridLayout;
    fields->setColumnStretch(1, 1);
    fields->addWidget(new QLabel(QStringLiteral("Company Name:")), 0, 0);
    m_comp1 = companyField();
    fields->addWidget(m_comp1, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("City, Phone, Fax & Email:")), 1, 0);
    m_comp2 = companyField();
    fields->addWidget(m_comp2, 1, 1);

    const QFileInfo program(programPath);
    fields->addWidget(new QLabel(QStringLiteral("Executing Program:")), 2, 0);
    m_label7 = new QLabel(program.fileName());
    makeNavy(m_label7);
    fields->addWidget(m_label7, 2, 1);
    fields->addWidget(new QLabel(QStringLiteral("Executing  Path:")), 3, 0);
    const QString directory = QDir::toNativeSeparators(program.absolutePath());
    m_label8 = new QLabel(directory);
    m_label8->setToolTip(directory);
    makeNavy(m_label8);
    fields->addWidget(m_label8, 3, 1);
    column->addLayout(fields);

    auto* buttons = new QHBoxLayout;
    auto* okb = new QPushButton(QStringLiteral("OK"));
    connect(okb, &QPushButton::clicked, this, &Tsplashf::OKBClick);
    buttons->addStretch();
    buttons->addWidget(okb);
    buttons->addStretch();
    column->addLayout(buttons);

    m_panel2 = new QWidget;
    auto* exitButtons = new QHBoxLayout(m_panel2);
    exitButtons->setContentsMargins(0, 0, 0, 0);
    m_bitBtn3 = new QPushButton(QStringLiteral("&Close All"));
    m_bitBtn2 = new QPushButton(QStringLiteral("&VIEW  GRAPHS"));
    connect(m_bitBtn3, &QPushButton::clicked, this, &Tsplashf::BitBtn3Click);
    connect(m_bitBtn2, &QPushButton::clicked, this, &Tsplashf::BitBtn2Click);
    exitButtons->addWidget(m_bitBtn3);
    exitButtons->addWidget(m_bitBtn2);
    m_panel2->hide();
    column->addWidget(m_panel2);

    connect(&m_company, &CompanyInfo::changed, this, &Tsplashf::showCompany);
    connect(m_comp1, &QLineEdit::textEdited, &m_company, &CompanyInfo::setName);
    connect(m_comp2, &QLineEdit::textEdited, &m_company, &CompanyInfo::setAddress);
    showCompany();

    m_timer1 = new QTimer(this);
    m_timer1->setInterval(SplashMilliseconds);
    connect(m_timer1, &QTimer::timeout, this, &Tsplashf::Timer1Timer);
    m_timer1->start();
}

void Tsplashf::showCompany()
{
    const auto show = [](QLineEdit* field, const QString& text) {
        if (field->text() == text)
            return;
        field->setText(text);
        // Long lines show from their beginning.
        field->setCursorPosition(0);
    };
    show(m_comp1, m_company.name());
    show(m_comp2, m_company.address());
}

void Tsplashf::showLoading()
{
    if (isVisible())
        m_comp1->setText(QStringLiteral("Loading ZezeDur_USB.Ini:"));
}

void Tsplashf::showAbout(Prompter& prompter)
{
    m_panel2->hide();
    prompter.runModal(*this);
    m_panel2->show();
}

void Tsplashf::Timer1Timer()
{
    // Only a modal showing is ended; the exit screen, shown non-modally, stays.
    if (isVisible() && isModal())
        accept();
    m_timer1->stop();
}

void Tsplashf::OKBClick()
{
    m_comp1->setReadOnly(false);
    m_comp2->setReadOnly(false);
    m_panel2->show();
    close();
}

void Tsplashf::BitBtn3Click()
{
    m_closingAll = true;
    close();
    m_closingAll = false;
    emit closeAllRequested();
}

void Tsplashf::BitBtn2Click()
{
    // Leaving the exit screen brings the graphs back (done).
    close();
}

void Tsplashf::done(int result)
{
    // The exit screen is the only window on screen: leaving it by OK, Escape or the window's own
    // close must not leave a running program with nothing to show, so every way out but
    // "&Close All" returns to the graphs, as "&VIEW  GRAPHS" does.
    const bool leavingExitScreen = isVisible() && !isModal() && m_panel2->isVisible() && !m_closingAll;
    QDialog::done(result);
    if (leavingExitScreen)
        emit viewGraphsRequested();
}

} // namespace tolvane
