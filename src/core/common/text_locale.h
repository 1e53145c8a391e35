#pragma once
// The few locale facts the program's texts depend on: the decimal separator of every number it
// shows, writes and reads, and the date and time forms of file headers and listings. Passed
// explicitly so tests and the command-line tool can run with "." or "," on any machine.
#include <QChar>
#include <QString>

namespace tolvane {

struct TextLocale {
    QChar decimalSeparator = QLatin1Char('.');
    // Qt date/time patterns (QDate::toString / QTime::toString syntax).
    QString shortDateFormat = QStringLiteral("M/d/yyyy");
    QString longTimeFormat = QStringLiteral("h:mm:ss AP");

    // "." with the US date and time forms: what the product writes unless told otherwise.
    static TextLocale standard() { return {}; }
    // The same forms with another decimal separator (the tool's --decimal option).
    static TextLocale withDecimal(QChar separator);
    // The operating system's separator, short date and long time forms.
    static TextLocale system();

    bool operator==(const TextLocale&) const = default;
};

} // namespace tolvane
