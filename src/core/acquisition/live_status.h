#pragma once
// The live windows' status bar: its colour and text are how the operator sees the controller's
// state. Colours are the toolkit's colour names.
// Also the operator's answer when recorded data is about to be dropped.
#include <QString>

namespace tolvane {

namespace StatusColour {
inline const QString Waiting = QStringLiteral("clGreen");
inline const QString Acquiring = QStringLiteral("clYellow");
inline const QString Recording = QStringLiteral("clRed");
inline const QString Decelerating = QStringLiteral("clBlue");
inline const QString Braking = QStringLiteral("clMaroon");
inline const QString Complete = QStringLiteral("clAqua");
inline const QString Saved = QStringLiteral("clBlue");
} // namespace StatusColour

struct LiveStatus {
    QString text;
    QString colour;

    bool operator==(const LiveStatus&) const = default;
};

// What the operator chose when asked about recorded data before it would be lost (restart,
// reset, leaving the test).
enum class RecordedDataChoice {
    Proceed, // nothing to ask, or the data may go: the action continues
    Save,    // start the save; the action stops
    Keep,    // keep the data and return to the test
};

} // namespace tolvane
