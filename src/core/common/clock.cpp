#include "core/common/clock.h"

namespace tolvane {

DateTimeValue SystemClock::now() const
{
    return toDateTimeValue(QDateTime::currentDateTime());
}

} // namespace tolvane
