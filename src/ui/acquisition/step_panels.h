#pragma once
// StepPanels: the step window's row of value panels on black: the weather panel `user_dis1`
// ("SAE", the correction as a percentage), road speed `mphl`, the gas panel `user_dis2` ("NOx"),
// smoothed torque `Tql` and smoothed power `Hpl` in the largest digits, with the warm-up caption
// `Warm_Status` inside the power panel. Each panel's caption names its unit.
#include <QString>
#include <QWidget>

class QFrame;
class QLabel;

namespace tolvane {

struct DisplayedValues;
struct TextLocale;
class UnitSettings;

// A label of the live screens: pixel-sized font, a toolkit colour name for its text.
QLabel* liveLabel(QWidget* parent, const char* name, const QString& text, int pixels, const char* colourName,
                  bool bold = false);

class StepPanels : public QWidget {
    Q_OBJECT
public:
    explicit StepPanels(QWidget* parent = nullptr);

    QLabel* mphl() const { return m_mphl; }
    QLabel* Tql() const { return m_tql; }
    QLabel* Hpl() const { return m_hpl; }
    QLabel* user_dis1() const { return m_sae; }
    QLabel* user_dis2() const { return m_nox; }
    QLabel* Warm_Status() const { return m_warmStatus; }

    // The captions: the unit labels, "SAE" and "NOx".
    void takeUnits(const UnitSettings& units);
    // The speed, torque and power panels' texts ("0.0" when connected; "Check", "no", "USB").
    void setTexts(const QString& speed, const QString& torque, const QString& power);
    void showValues(const DisplayedValues& values, const TextLocale& locale);
    void setWarmUpCaption(const QString& caption);
    // Teal behind the power while a force spike is being dropped.
    void setPowerTeal(bool teal);

private:
    QLabel* m_sae = nullptr;
    QLabel* m_saeCaption = nullptr;
    QLabel* m_mphl = nullptr;
    QLabel* m_mphCaption = nullptr;
    QLabel* m_nox = nullptr;
    QLabel* m_noxCaption = nullptr;
    QLabel* m_tql = nullptr;
    QLabel* m_tqCaption = nullptr;
    QFrame* m_hpPanel = nullptr;
    QLabel* m_hpl = nullptr;
    QLabel* m_hpCaption = nullptr;
    QLabel* m_warmStatus = nullptr;
    bool m_teal = false;
};

} // namespace tolvane
