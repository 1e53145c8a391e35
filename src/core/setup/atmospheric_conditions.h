#pragma once
// The logic of the atmospheric conditions window (TAtomComdF, "Enter atmospheric conditions"): the
// three entries as the operator typed them, their units, the factor computed from them, the unit
// commands, OK with its plausibility warning, and the rule by which a save takes the weather
// station's values or asks the operator. The window itself only shows this model.
//
// An entry that is not a number, a pressure of 0, a temperature outside the vapour table
// (-15.8 … 65.8 °C) or a dry-air pressure of zero or below all refuse the entries the same way:
// OK is disabled and the factor keeps its last value.
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

#include "core/common/prompter.h"
#include "core/common/text_locale.h"

namespace tolvane {

class RunConditions;
class WeatherRecord;

class AtmosphericConditions : public QObject {
    Q_OBJECT
public:
    enum class OkResult {
        Refused,   // the entries are not valid: nothing happened
        Cancelled, // the operator cancelled the implausible-factor warning: nothing copied
        Accepted,  // copied into the save dialog: show it and close this window
    };
    enum class SaveRoute {
        ConditionsWindow, // the station's values are not usable: show this window
        SaveDialog,       // the station's values were copied: show the save dialog
    };

    AtmosphericConditions(RunConditions& saveDialog, Prompter& prompter, TextLocale locale,
                          QObject* parent = nullptr);

    static QString fahrenheitUnit();          // "°F"
    static QString celsiusUnit();             // "°C"
    static QString inHgUnit();                // "in / hg"
    static QString millibarUnit();            // "mb"
    static QStringList correctionStandards(); // only "SAE J1995"; it does not alter the computation

    // Checks three entry texts in the given units and computes their factor, as the window does.
    struct EntryCheck {
        std::optional<double> factor; // set when the entries are accepted
        QString refusal;              // why they are not, for the operator
    };
    static EntryCheck checkEntries(const QString& temperature, const QString& pressure,
                                   const QString& humidity, bool celsius, bool millibar,
                                   const TextLocale& locale);

    const QString& TmpB() const { return m_temperature; }
    const QString& TmpL() const { return m_temperatureUnit; }
    const QString& PSIB() const { return m_pressure; }
    const QString& PreL() const { return m_pressureUnit; }
    const QString& Humdtyb() const { return m_humidity; }
    const QString& CorrectF() const { return m_correctionText; }
    double CorrFactor() const { return m_corrFactor; }
    bool okEnabled() const { return m_okEnabled; }

    // The entries' change events: each re-checks the entries and recomputes the factor.
    void setTmpB(const QString& text);
    void setPSIB(const QString& text);
    void setHumdtyb(const QString& text);

    // Checks once more, warns about an implausible factor, copies the texts into the save dialog.
    // (Making the save dialog's folder list re-read itself afterwards is the window's part.)
    OkResult OkBClick();

    void Centigrade1Click();
    void Farhrenheit1Click();
    void mb1Click();
    void hg1Click();
    void TmpCDblClick();
    void PSIBDblClick();

    // Choosing the conditions at save time: usable station values (all bounds exclusive:
    // 0.4 < corr < 1.6, 10 < temp < 130 °F, 22 < baro < 34 inHg, 0 < humidity < 101 %) fill both
    // this window and the save dialog; otherwise the operator is asked through this window.
    static bool stationValuesUsable(const WeatherRecord& station);
    SaveRoute chooseConditionsForSave(const WeatherRecord& station);

signals:
    void changed();

private:
    void setEntry(QString& entry, const QString& text);
    // Validates the entries; when they are valid, enables OK and computes CorrFactor.
    bool ChkValidNums();

    RunConditions& m_saveDialog;
    Prompter& m_prompter;
    TextLocale m_locale;
    QString m_temperature;
    QString m_temperatureUnit;
    QString m_pressure;
    QString m_pressureUnit;
    QString m_humidity;
    QString m_correctionText = QStringLiteral("0.0");
    double m_corrFactor = 0.0;
    bool m_okEnabled = false;
};

} // namespace tolvane
