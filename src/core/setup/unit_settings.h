#pragma once
// UnitSettings: the application-wide unit labels and multipliers and the instrument settings.
// Loaded from the configuration at start-up ("As Saved") and saved with the layout at exit; the
// live windows, the file writers and the plots read it, and emit nothing back but through setters.
#include <QObject>
#include <QString>

#include "core/common/configuration.h"

namespace tolvane {

class UnitSettings : public QObject {
    Q_OBJECT
public:
    explicit UnitSettings(QObject* parent = nullptr);

    const QString& roadSpeedUnit() const { return m_roadSpeedUnit; }
    const QString& engineSpeedUnit() const { return m_engineSpeedUnit; }
    const QString& powerUnitLabel() const { return m_powerUnitLabel; }
    const QString& forceUnit() const { return m_forceUnit; }
    const QString& egaHeadings() const { return m_egaHeadings; } // tab-separated, tab-ended
    double speedFactor() const { return m_speedFactor; }
    double forceFactor() const { return m_forceFactor; }
    double powerFactor() const { return m_powerFactor; }
    double inertiaFactor() const { return m_inertiaFactor; }
    int acqComPort() const { return m_acqComPort; }
    int egaComPort() const { return m_egaComPort; }
    int egaDelay() const { return m_egaDelay; }
    bool usbBlackBox() const { return m_usbBlackBox; }

    void setRoadSpeedUnit(const QString& label);
    void setEngineSpeedUnit(const QString& label);
    void setPowerUnitLabel(const QString& label);
    void setForceUnit(const QString& label);
    void setEgaHeadings(const QString& headings);
    void setSpeedFactor(double factor);
    void setForceFactor(double factor);
    void setPowerFactor(double factor);
    void setInertiaFactor(double factor);
    void setAcqComPort(int port);
    void setEgaComPort(int port);
    void setEgaDelay(int count);
    void setUsbBlackBox(bool usb);

    // Reads every field; multipliers are the stored integers divided by 1000.
    void load(const Configuration& config);
    // Adds the fields' keys to a group of writes, in file order: "BlackBox" (port, USB switch),
    // "Gas Analyzer", "Units". Multipliers are written as the integer nearest to factor x 1000
    // (halves to even); an inertia whose integer is 0 is written as 2800.
    void save(ConfigChanges& changes) const;

    // The stored integers: factor x 1000 to the nearest integer, halves to even; for the inertia,
    // 2800 instead of 0.
    static qint64 storedMultiplier(double factor);
    static qint64 storedInertia(double factor);

signals:
    void changed();

private:
    template <class T> void assign(T& field, const T& value);

    QString m_roadSpeedUnit;
    QString m_engineSpeedUnit;
    QString m_powerUnitLabel;
    QString m_forceUnit;
    QString m_egaHeadings;
    double m_speedFactor = 0.0;
    double m_forceFactor = 0.0;
    double m_powerFactor = 0.0;
    double m_inertiaFactor = 0.0;
    int m_acqComPort = 0;
    int m_egaComPort = 0;
    int m_egaDelay = 0;
    bool m_usbBlackBox = false;
};

} // namespace tolvane
