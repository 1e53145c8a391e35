#pragma once
// The weather station's latest values: temperature in °F, barometric pressure in inHg, relative
// humidity in percent and the correction factor computed from them. All start at 0 (no station);
// the factor becomes 1.0 once a station port is set up. The time of the last acknowledged reply
// tells readers how fresh the values are: the station's cycle stops when a reply is lost, and the
// values then stay as they were.
#include <QObject>

#include <optional>

#include "core/common/date_time.h"

namespace tolvane {

class WeatherRecord : public QObject {
    Q_OBJECT
public:
    explicit WeatherRecord(QObject* parent = nullptr) : QObject(parent) {}

    double StationTemp() const { return m_temp; }
    double StationBaro() const { return m_baro; }
    double StationHumid() const { return m_humid; }
    double StationCorr() const { return m_corr; }
    std::optional<DateTimeValue> lastReplyAt() const { return m_lastReplyAt; }

    void setStationTemp(double value);
    void setStationBaro(double value);
    void setStationHumid(double value);
    void setStationCorr(double value);
    void noteReply(DateTimeValue at);
    // A newly set-up station port: no readings yet, a neutral factor.
    void resetReadings();

signals:
    void changed();

private:
    void assign(double& field, double value);

    double m_temp = 0.0;
    double m_baro = 0.0;
    double m_humid = 0.0;
    double m_corr = 0.0;
    std::optional<DateTimeValue> m_lastReplyAt;
};

} // namespace tolvane
