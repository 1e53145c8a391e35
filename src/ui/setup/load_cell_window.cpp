#include "ui/setup/load_cell_window.h"

#include <QFileInfo>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

#include "core/acquisition/acquisition_session.h"
#include "core/common/clock.h"
#include "core/common/configuration.h"
#include "core/common/date_time.h"
#include "core/common/number_text.h"
#include "core/common/prompter.h"
#include "core/common/text_file.h"
#include "core/setup/test_setup.h"
#include "ui/setup/form_helpers.h"

namespace tolvane {

namespace {

QLineEdit* colouredEdit(QWidget* parent, const char* objectName, const char* background)
{
    return colouredEntry(parent, QLatin1String(objectName), QLatin1String(background),
                         QStringLiteral("white"));
}

QLabel* wrappedLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

TCalLdF::TCalLdF(StepSession& session, Configuration& configuration, QString logPath, Prompter& prompter,
                 QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_session(session), m_configuration(configuration), m_logPath(std::move(logPath)), m_prompter(prompter),
      m_weight(colouredEdit(this, "CalWts", "green")), m_zero(new QPushButton(QStringLiteral("Zero"), this)),
      m_spanButton(new QPushButton(QStringLiteral("Span"), this)),
      m_zeroRef(colouredEdit(this, "TqZroE", "red")), m_spanRef(colouredEdit(this, "TqSpnE", "red")),
      m_display(colouredEdit(this, "TqDisE", "red")),
      m_ok(new QPushButton(QStringLiteral(" Save and return toTest"), this)),
      m_exit(new QPushButton(QStringLiteral("Cancel w/ no changes"), this)), m_memo(new QPlainTextEdit(this)),
      m_timer(new QTimer(this))
{
    setWindowTitle(QStringLiteral("Calibrate Load Cell"));
    setObjectName(QStringLiteral("TCalLdF"));
    m_zero->setObjectName(QStringLiteral("Zerob"));
    m_spanButton->setObjectName(QStringLiteral("Spanb"));
    m_ok->setObjectName(QStringLiteral("okbtn"));
    m_exit->setObjectName(QStringLiteral("ExitB"));
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(TimerIntervalMs);
    // The references are the calibration's, refreshed every tick; the log is a record.
    m_zeroRef->setReadOnly(true);
    m_spanRef->setReadOnly(true);
    m_display->setReadOnly(true);
    // The live weight is read from a step away, with the weight on the arm.
    QFont large = m_display->font();
    large.setPointSize(large.pointSize() * 2);
    large.setBold(true);
    m_display->setFont(large);
    m_memo->setReadOnly(true);
    m_memo->setMinimumSize(260, 380);
    m_weight->setText(QStringLiteral("0.00"));
    m_zeroRef->setText(QStringLiteral("0"));
    m_spanRef->setText(QStringLiteral("0.000000"));
    m_display->setText(QStringLiteral("50.00"));
    m_exit->setDefault(true);
    m_ok->setAutoDefault(false);
    m_zero->setAutoDefault(false);
    m_spanButton->setAutoDefault(false);

    auto* steps = new QGridLayout;
    int row = 0;
    steps->addWidget(wrappedLabel(QStringLiteral("1. Enter calibration weight.(stamped on weight)"), this),
                     row, 0);
    steps->addWidget(m_weight, row++, 1);
    steps->addWidget(wrappedLabel(QStringLiteral("2. Drive roller stationary? Then click \"Zero\"."), this),
                     row, 0);
    steps->addWidget(m_zero, row++, 1);
    steps->addWidget(
        wrappedLabel(QStringLiteral("3. Place calibration weight on torque arm, (arm toward brake and "
                                    "against plate). Then click \"Span\"."),
                     this),
        row, 0);
    steps->addWidget(m_spanButton, row++, 1);
    steps->addWidget(new QLabel(QStringLiteral("zero ref.value"), this), row, 0);
    steps->addWidget(m_zeroRef, row++, 1);
    steps->addWidget(new QLabel(QStringLiteral("span ref. value"), this), row, 0);
    steps->addWidget(m_spanRef, row++, 1);
    steps->addWidget(
        wrappedLabel(QStringLiteral("After zero and span, this box should flicker +/- .4 and display "
                                    "realtime weight on torque arm."),
                     this),
        row++, 0, 1, 2);
    steps->addWidget(m_display, row++, 0, 1, 2);
    steps->addWidget(
        wrappedLabel(QStringLiteral("4. Compare the zero and span reference values with the usual "
                                    "ranges in the log. If they look right, save, return to the test "
                                    "screen, set the tach ratio and begin testing; otherwise cancel "
                                    "and keep the previous calibration values."),
                     this),
        row++, 0, 1, 2);
    steps->setColumnStretch(0, 1);
    steps->setRowStretch(row, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addWidget(m_exit);
    auto* left = new QVBoxLayout;
    left->addLayout(steps);
    left->addLayout(buttons);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("Calibration Log (previously saved)"), this));
    right->addWidget(m_memo);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 3);
    layout->addLayout(right, 2);

    connect(m_timer, &QTimer::timeout, this, &TCalLdF::Timer1Timer);
    connect(m_zero, &QPushButton::clicked, this, &TCalLdF::ZerobClick);
    connect(m_spanButton, &QPushButton::clicked, this, &TCalLdF::SpanbClick);
    connect(m_weight, &QLineEdit::textEdited, this, &TCalLdF::CalWtsChange);
    connect(m_weight, &QLineEdit::editingFinished, this, &TCalLdF::CalWtsExit);
    connect(m_ok, &QPushButton::clicked, this, &TCalLdF::okbtnClick);
    connect(m_exit, &QPushButton::clicked, this, &TCalLdF::ExitBClick);
}

QString TCalLdF::numberText(double value, QStringView pattern) const
{
    return formatNumber(value, pattern, m_session.setup().locale());
}

void TCalLdF::loadLog()
{
    m_logWritable = true;
    m_log = LoadCellCalibration::newLog();
    if (QFileInfo::exists(m_logPath)) {
        TextReadResult read = readTextLines(m_logPath);
        if (read.ok()) {
            m_log = std::move(read.lines);
        } else {
            m_logWritable = false;
            m_prompter.inform(windowTitle(), read.error->message, PromptIcon::Warning);
        }
    }
    // A new log is written with the first save: opening the window and cancelling leaves no file.
    m_memo->setPlainText(m_log.join(QLatin1Char('\n')));
}

void TCalLdF::FormShow()
{
    m_timer->start();
    loadLog();
    m_calibration.begin(m_configuration.read(ConfigSettings::LoadOff),
                        m_configuration.read(ConfigSettings::LoadSpan),
                        m_configuration.read(ConfigSettings::CalWeight));
    m_spanRef->setText(numberText(m_calibration.span(), u"0.000000"));
    m_zeroRef->setText(numberText(m_calibration.offset(), u"0"));
    m_weight->setText(numberText(m_calibration.weight(), u"0.00"));
    showButtons();
}

void TCalLdF::showButtons()
{
    m_zero->setEnabled(!m_calibration.zeroRunning());
    m_spanButton->setEnabled(!m_calibration.spanRunning());
}

void TCalLdF::Timer1Timer()
{
    if (!isVisible()) {
        m_timer->stop();
        return;
    }
    FrameDecoder& decoder = m_session.decoder();
    const quint32 count = decoder.rawLoadCount();
    const LoadCellCalibration::Tick tick = m_calibration.tick(count);
    m_display->setText(numberText(tick.weight, u"0.000"));
    m_spanRef->setText(numberText(count, u"0.000000"));
    if (tick.calibratedCount)
        decoder.overrideLoadCount(*tick.calibratedCount);
    m_zeroRef->setText(numberText(m_calibration.offset(), u"0"));
    showButtons();
}

void TCalLdF::ZerobClick()
{
    m_calibration.startZero();
    showButtons();
}

void TCalLdF::SpanbClick()
{
    m_calibration.startSpan();
    showButtons();
}

void TCalLdF::CalWtsChange()
{
    const std::optional<double> weight = parseFloat(m_weight->text(), m_session.setup().locale());
    if (weight && *weight > 0.0)
        m_calibration.setWeight(*weight);
}

bool TCalLdF::CalWtsExit()
{
    const QString text = m_weight->text();
    const std::optional<double> weight = parseFloat(text, m_session.setup().locale());
    if (weight && *weight > 0.0) {
        m_calibration.setWeight(*weight);
        return true;
    }
    // A weight of 0 or below would make every force 0 or turn it round.
    m_prompter.inform(windowTitle(),
                      weight ? QStringLiteral("The calibration weight must be above 0.")
                             : QStringLiteral("'%1' is not a valid floating point value.").arg(text),
                      PromptIcon::Error);
    m_weight->setText(numberText(m_calibration.weight(), u"0.00"));
    return false;
}

void TCalLdF::okbtnClick()
{
    if (!CalWtsExit())
        return;
    const QStringList entry =
        LoadCellCalibration::logEntry(formatDateTimeText(m_session.clock().now(), m_session.setup().locale()),
                                      m_weight->text(), m_spanRef->text(), m_zeroRef->text());
    // The constants first: the log must not tell of a calibration that was not stored.
    ConfigChanges changes = m_configuration.changes();
    changes.set(ConfigKeys::LoadOff, m_calibration.offset());
    changes.set(ConfigKeys::LoadSpan, m_calibration.span());
    changes.set(ConfigKeys::CalWeight, m_calibration.weight());
    if (const std::optional<FileError> error = m_configuration.apply(changes)) {
        m_prompter.inform(windowTitle(), error->message, PromptIcon::Error);
        return;
    }
    if (m_logWritable) {
        QStringList log = m_log;
        LoadCellCalibration::addEntry(log, entry);
        if (const std::optional<FileError> error = writeTextLines(m_logPath, log)) {
            m_prompter.inform(
                windowTitle(),
                QStringLiteral("The calibration was saved, but not its log entry: %1").arg(error->message),
                PromptIcon::Warning);
        } else {
            m_log = log;
            m_memo->setPlainText(m_log.join(QLatin1Char('\n')));
        }
    }
    m_calibration.commit();
    emit calibrationSaved();
    hide();
}

void TCalLdF::ExitBClick()
{
    hide();
}

void TCalLdF::FormHide()
{
    m_timer->stop();
    m_calibration.cancel();
    showButtons();
    emit closed();
}

void TCalLdF::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    centreOnFirstShow(*this, m_placed);
    FormShow();
}

void TCalLdF::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        FormHide();
}

} // namespace tolvane
