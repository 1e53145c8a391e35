#include "core/setup/unit_settings.h"

#include <QSignalBlocker>

#include <algorithm>
#include <limits>

#include "core/common/number_text.h"

namespace tolvane {

namespace {

constexpr double MultiplierScale = 1000.0;
// What an inertia that rounds to nothing is stored as.
constexpr qint64 InertiaWhenZero = 2800;

double factorOf(int stored)
{
    return stored / MultiplierScale;
}

// Stored integers are 32-bit in the file; a factor too large for one is kept at the limit rather
// than wrapped into a wrong, maybe negative, multiplier.
int fileInteger(qint64 value)
{
    return static_cast<int>(
        std::clamp<qint64>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace

UnitSettings::UnitSettings(QObject* parent)
    : QObject(parent), m_roadSpeedUnit(QString::fromLatin1(ConfigSettings::RoadSpeed.fallback)),
      m_engineSpeedUnit(QString::fromLatin1(ConfigSettings::EngineSpeed.fallback)),
      m_powerUnitLabel(QString::fromLatin1(ConfigSettings::Power.fallback)),
      m_forceUnit(QString::fromLatin1(ConfigSettings::Force.fallback)),
      m_egaHeadings(QString::fromLatin1(ConfigSettings::Ega.fallback)),
      m_speedFactor(factorOf(ConfigSettings::SpeedMf.fallback)),
      m_forceFactor(factorOf(ConfigSettings::ForceMf.fallback)),
      m_powerFactor(factorOf(ConfigSettings::PowerMf.fallback)),
      m_inertiaFactor(factorOf(ConfigSettings::Inertia.fallback)),
      m_acqComPort(ConfigSettings::AcqComPort.fallback), m_egaComPort(ConfigSettings::EgaComPort.fallback),
      m_egaDelay(ConfigSettings::EgaDelay.fallback), m_usbBlackBox(ConfigSettings::UsbBlackBox.fallback)
{
}

template <class T> void UnitSettings::assign(T& field, const T& value)
{
    if (field == value)
        return;
    field = value;
    emit changed();
}

void UnitSettings::setRoadSpeedUnit(const QString& label)
{
    assign(m_roadSpeedUnit, label);
}
void UnitSettings::setEngineSpeedUnit(const QString& label)
{
    assign(m_engineSpeedUnit, label);
}
void UnitSettings::setPowerUnitLabel(const QString& label)
{
    assign(m_powerUnitLabel, label);
}
void UnitSettings::setForceUnit(const QString& label)
{
    assign(m_forceUnit, label);
}
void UnitSettings::setEgaHeadings(const QString& headings)
{
    assign(m_egaHeadings, headings);
}
void UnitSettings::setSpeedFactor(double factor)
{
    assign(m_speedFactor, factor);
}
void UnitSettings::setForceFactor(double factor)
{
    assign(m_forceFactor, factor);
}
void UnitSettings::setPowerFactor(double factor)
{
    assign(m_powerFactor, factor);
}
void UnitSettings::setInertiaFactor(double factor)
{
    assign(m_inertiaFactor, factor);
}
void UnitSettings::setAcqComPort(int port)
{
    assign(m_acqComPort, port);
}
void UnitSettings::setEgaComPort(int port)
{
    assign(m_egaComPort, port);
}
void UnitSettings::setEgaDelay(int count)
{
    assign(m_egaDelay, count);
}
void UnitSettings::setUsbBlackBox(bool usb)
{
    assign(m_usbBlackBox, usb);
}

void UnitSettings::load(const Configuration& config)
{
    {
        // One changed() for the whole load, not one per field.
        const QSignalBlocker quiet(this);
        setUsbBlackBox(config.read(ConfigSettings::UsbBlackBox));
        setAcqComPort(config.read(ConfigSettings::AcqComPort));
        setEgaComPort(config.read(ConfigSettings::EgaComPort));
        setEgaDelay(config.read(ConfigSettings::EgaDelay));
        setRoadSpeedUnit(config.read(ConfigSettings::RoadSpeed));
        setEngineSpeedUnit(config.read(ConfigSettings::EngineSpeed));
        setPowerUnitLabel(config.read(ConfigSettings::Power));
        setForceUnit(config.read(ConfigSettings::Force));
        setEgaHeadings(config.read(ConfigSettings::Ega));
        setSpeedFactor(factorOf(config.read(ConfigSettings::SpeedMf)));
        setForceFactor(factorOf(config.read(ConfigSettings::ForceMf)));
        setPowerFactor(factorOf(config.read(ConfigSettings::PowerMf)));
        setInertiaFactor(factorOf(config.read(ConfigSettings::Inertia)));
    }
    emit changed();
}

void UnitSettings::save(ConfigChanges& changes) const
{
    changes.set(ConfigKeys::AcqComPort, m_acqComPort);
    changes.set(ConfigKeys::UsbBlackBox, m_usbBlackBox);
    changes.set(ConfigKeys::EgaComPort, m_egaComPort);
    changes.set(ConfigKeys::EgaDelay, m_egaDelay);
    changes.set(ConfigKeys::RoadSpeed, m_roadSpeedUnit);
    changes.set(ConfigKeys::EngineSpeed, m_engineSpeedUnit);
    changes.set(ConfigKeys::Power, m_powerUnitLabel);
    changes.set(ConfigKeys::Force, m_forceUnit);
    changes.set(ConfigKeys::Ega, m_egaHeadings);
    changes.set(ConfigKeys::SpeedMf, fileInteger(storedMultiplier(m_speedFactor)));
    changes.set(ConfigKeys::ForceMf, fileInteger(storedMultiplier(m_forceFactor)));
    changes.set(ConfigKeys::PowerMf, fileInteger(storedMultiplier(m_powerFactor)));
    changes.set(ConfigKeys::Inertia, fileInteger(storedInertia(m_inertiaFactor)));
}

qint64 UnitSettings::storedMultiplier(double factor)
{
    return roundHalfEven(factor * MultiplierScale);
}

qint64 UnitSettings::storedInertia(double factor)
{
    const qint64 stored = storedMultiplier(factor);
    return stored == 0 ? InertiaWhenZero : stored;
}

} // namespace tolvane
