#include "core/setup/atmospheric_conditions.h"

#include "core/common/number_text.h"
#include "core/setup/run_conditions.h"
#include "core/setup/sae_correction.h"
#include "core/setup/weather_record.h"

namespace tolvane {

AtmosphericConditions::AtmosphericConditions(RunConditions& saveDialog, Prompter& prompter, TextLocale locale,
                                             QObject* parent)
    : QObject(parent), m_saveDialog(saveDialog), m_prompter(prompter), m_locale(std::move(locale)),
      m_temperatureUnit(fahrenheitUnit()), m_pressureUnit(inHgUnit())
{
    // Standard air with 1 % humidity, so CorrFactor is a valid factor before the window is shown.
    m_temperature = formatNumber(77.0, u"0.00", m_locale);
    m_pressure = formatNumber(29.22, u"0.00", m_locale);
    m_humidity = formatNumber(1.0, u"0.00", m_locale);
    ChkValidNums();
}

QString AtmosphericConditions::fahrenheitUnit()
{
    return QStringLiteral(u"\u00B0F");
}

QString AtmosphericConditions::celsiusUnit()
{
    return QStringLiteral(u"\u00B0C");
}

QString AtmosphericConditions::inHgUnit()
{
    return QStringLiteral("in / hg");
}

QString AtmosphericConditions::millibarUnit()
{
    return QStringLiteral("mb");
}

QStringList AtmosphericConditions::correctionStandards()
{
    return {QStringLiteral("SAE J1995")};
}

void AtmosphericConditions::setTmpB(const QString& text)
{
    setEntry(m_temperature, text);
}

void AtmosphericConditions::setPSIB(const QString& text)
{
    setEntry(m_pressure, text);
}

void AtmosphericConditions::setHumdtyb(const QString& text)
{
    setEntry(m_humidity, text);
}

void AtmosphericConditions::setEntry(QString& entry, const QString& text)
{
    entry = text;
    ChkValidNums();
    emit changed();
}

AtmosphericConditions::EntryCheck AtmosphericConditions::checkEntries(const QString& temperature,
                                                                      const QString& pressure,
                                                                      const QString& humidity, bool celsius,
                                                                      bool millibar, const TextLocale& locale)
{
    const auto t = parseFloat(temperature, locale);
    const auto p = parseFloat(pressure, locale);
    const auto h = parseFloat(humidity, locale);
    const auto notANumber = [](const char* what, const QString& text) {
        return EntryCheck{std::nullopt,
                          QStringLiteral("the %1 \"%2\" is not a number").arg(QLatin1String(what), text)};
    };
    if (!t)
        return notANumber("temperature", temperature);
    if (!p)
        return notANumber("pressure", pressure);
    if (!h)
        return notANumber("humidity", humidity);
    if (*p == 0.0)
        return {std::nullopt, QStringLiteral("the pressure is 0")};
    const double pressureInHg = millibar ? *p * 0.02953 : *p;
    const double temperatureF = celsius ? *t * 1.8 + 32.0 : *t;
    if (!VapPress(temperatureF))
        return {
            std::nullopt,
            QStringLiteral(u"the temperature is outside the vapour-pressure table (-15.8 to 65.8 \u00B0C)")};
    const auto factor = SaeCorr(*h, pressureInHg, temperatureF);
    if (!factor)
        return {std::nullopt, QStringLiteral("the pressure less the water vapour is not above 0")};
    return {factor, QString()};
}

bool AtmosphericConditions::ChkValidNums()
{
    const EntryCheck check =
        checkEntries(m_temperature, m_pressure, m_humidity, m_temperatureUnit == celsiusUnit(),
                     m_pressureUnit == millibarUnit(), m_locale);
    m_okEnabled = check.factor.has_value();
    if (!check.factor)
        return false;
    m_corrFactor = *check.factor;
    m_correctionText = formatNumber(m_corrFactor, u"0.0000", m_locale);
    return true;
}

AtmosphericConditions::OkResult AtmosphericConditions::OkBClick()
{
    const bool valid = ChkValidNums();
    emit changed();
    if (!valid)
        return OkResult::Refused;
    if (m_corrFactor > 1.33 || m_corrFactor < 0.75) {
        const QString text = QStringLiteral("A correction factor of \"") + m_correctionText +
                             QStringLiteral("\" is probably incorrect!\nPress Ignore to use it anyways.");
        const PromptAnswer answer = m_prompter.ask(
            {QStringLiteral("Warning"), text, PromptIcon::Warning, PromptButtons::CancelIgnore});
        if (answer != PromptAnswer::Ignore)
            return OkResult::Cancelled;
    }
    m_saveDialog.setAtmosphere(m_temperature, m_pressure, m_humidity, m_correctionText);
    return OkResult::Accepted;
}

void AtmosphericConditions::Centigrade1Click()
{
    if (m_temperatureUnit != fahrenheitUnit() || !m_okEnabled)
        return;
    const double x = parseFloat(m_temperature, m_locale).value_or(0.0);
    m_temperatureUnit = celsiusUnit();
    setTmpB(formatNumber((x - 32.0) / 1.8, u"0.0", m_locale));
}

void AtmosphericConditions::Farhrenheit1Click()
{
    if (m_temperatureUnit != celsiusUnit() || !m_okEnabled)
        return;
    const double x = parseFloat(m_temperature, m_locale).value_or(0.0);
    m_temperatureUnit = fahrenheitUnit();
    setTmpB(QString::number(roundHalfEven(x * 1.8) + 32));
}

void AtmosphericConditions::mb1Click()
{
    if (m_pressureUnit != inHgUnit() || !m_okEnabled)
        return;
    const double x = parseFloat(m_pressure, m_locale).value_or(0.0);
    m_pressureUnit = millibarUnit();
    setPSIB(QString::number(roundHalfEven(x * 33.863)));
}

void AtmosphericConditions::hg1Click()
{
    if (m_pressureUnit != millibarUnit() || !m_okEnabled)
        return;
    const double x = parseFloat(m_pressure, m_locale).value_or(0.0);
    m_pressureUnit = inHgUnit();
    setPSIB(formatNumber(x * 0.02953, u"0.00", m_locale));
}

void AtmosphericConditions::TmpCDblClick()
{
    if (m_temperatureUnit != fahrenheitUnit())
        Farhrenheit1Click();
    else
        Centigrade1Click();
}

void AtmosphericConditions::PSIBDblClick()
{
    if (m_pressureUnit != millibarUnit())
        mb1Click();
    else
        hg1Click();
}

bool AtmosphericConditions::stationValuesUsable(const WeatherRecord& station)
{
    return station.StationCorr() > 0.4 && station.StationCorr() < 1.6 && station.StationTemp() > 10.0 &&
           station.StationTemp() < 130.0 && station.StationBaro() > 22.0 && station.StationBaro() < 34.0 &&
           station.StationHumid() > 0.0 && station.StationHumid() < 101.0;
}

AtmosphericConditions::SaveRoute AtmosphericConditions::chooseConditionsForSave(const WeatherRecord& station)
{
    if (!stationValuesUsable(station))
        return SaveRoute::ConditionsWindow;
    const QString temperature = formatNumber(station.StationTemp(), u"0.0", m_locale);
    const QString pressure = formatNumber(station.StationBaro(), u"0.00", m_locale);
    const QString humidity = formatNumber(station.StationHumid(), u"0", m_locale);
    // The station reports °F and inHg; the entries must say so, or the factor would be computed
    // from the right numbers in the wrong units.
    m_temperatureUnit = fahrenheitUnit();
    m_pressureUnit = inHgUnit();
    setTmpB(temperature);
    setPSIB(pressure);
    setHumdtyb(humidity);
    m_saveDialog.setAtmosphere(temperature, pressure, humidity,
                               formatNumber(station.StationCorr(), u"0.000", m_locale));
    return SaveRoute::SaveDialog;
}

} // namespace tolvane
