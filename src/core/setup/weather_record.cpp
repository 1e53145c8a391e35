#include "core/setup/weather_record.h"

namespace tolvane {

void WeatherRecord::assign(double& field, double value)
{
    if (field == value)
        return;
    field = value;
    emit changed();
}

void WeatherRecord::setStationTemp(double value)
{
    assign(m_temp, value);
}

void WeatherRecord::setStationBaro(double value)
{
    assign(m_baro, value);
}

void WeatherRecord::setStationHumid(double value)
{
    assign(m_humid, value);
}

void WeatherRecord::setStationCorr(double value)
{
    assign(m_corr, value);
}

void WeatherRecord::noteReply(DateTimeValue at)
{
    m_lastReplyAt = at;
    emit changed();
}

void WeatherRecord::resetReadings()
{
    m_temp = 0.0;
    m_baro = 0.0;
    m_humid = 0.0;
    m_corr = 1.0;
    emit changed();
}

} // namespace tolvane
