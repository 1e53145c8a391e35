#include "core/common/text_locale.h"

#include <QLocale>

namespace tolvane {

TextLocale TextLocale::withDecimal(QChar separator)
{
    TextLocale locale;
    locale.decimalSeparator = separator;
    return locale;
}

TextLocale TextLocale::system()
{
    const QLocale sys = QLocale::system();
    TextLocale locale;
    const QString point = sys.decimalPoint();
    if (point.size() == 1)
        locale.decimalSeparator = point.front();
    locale.shortDateFormat = sys.dateFormat(QLocale::ShortFormat);
    locale.longTimeFormat = sys.timeFormat(QLocale::LongFormat);
    // The long form of some locales names the time zone; the files keep the wall clock only.
    locale.longTimeFormat.remove(QLatin1Char('t')).replace(QStringLiteral("  "), QStringLiteral(" "));
    locale.longTimeFormat = locale.longTimeFormat.trimmed();
    return locale;
}

} // namespace tolvane
