#pragma once
// TachRatioRules: the arithmetic of setting the tach ratio (engine revolutions per roller
// revolution). First the no-load ratio: the engine is held at a known rpm and the function key of
// that rpm is pressed (F8 for 8000), so ratio = 8000 / roller rpm. Then the loaded correction: the
// brake holds the target, the reference tachometer shows the true engine rpm, and the ratio is
// scaled to it. Also the measurement target offered when the window opens, the limits on what the
// operator types, and the status texts the window puts into the step window's status bar.
#include <QChar>
#include <QString>
#include <QStringView>

#include <optional>

namespace tolvane {

struct TachRatioRules {
    static constexpr int FirstFunctionKey = 1;
    static constexpr int LastFunctionKey = 12;
    static constexpr int RpmPerFunctionKey = 1000;
    // Below this roller rpm the engine is not turning the roller steadily enough to measure.
    static constexpr double MinRollerRpm = 100.0;
    static constexpr int MaxLoadedRpm = 20000;
    static constexpr int MinTypedTarget = 1900;
    // The measurement target: this share of the setup's end rpm, to the nearest thousand.
    static constexpr double TargetShareOfRedLine = 0.8;

    static inline const QString TooHighText = QStringLiteral("Cannot allow rpm > 20,000");

    struct KeyRatio {
        float ratio = 0.0f; // engine rpm / roller rpm
        int target = 0;     // the key's engine rpm, the new step target
    };
    // Function key Fn (n = 1 ... 12) pressed with the engine at n x 1000 rpm. Nothing for another
    // key or a roller below 100 rpm.
    static std::optional<KeyRatio> functionKeyRatio(int functionKey, double rollerRpm);

    // round(redLine x 0.0008) x 1000: 80 % of the end rpm, to the nearest thousand (halves to even).
    static int measurementTarget(int redLine);

    // The reference tachometer read `loadedRpm` while the engine showed `targetRpm`: the roller
    // then turned at targetRpm / ratio, so the ratio becomes loadedRpm / that. A ratio of 0 (no
    // no-load ratio yet) or a target that is not above 0 leaves the ratio as it is.
    static float loadedRatio(float ratio, int targetRpm, int loadedRpm);

    // The typed loaded rpm when it is an integer above 0; Apply and OK wait for one. A reading of
    // 0 or below would make the ratio 0 or negative, so it counts as no reading at all.
    static std::optional<int> loadedRpm(QStringView text);
    // A loaded rpm of 20001 or more is refused with TooHighText.
    static bool isTooHigh(int loadedRpm) { return loadedRpm > MaxLoadedRpm; }

    // A typed target rpm that sets the step target: an integer of 1900 or more.
    static std::optional<int> typedTarget(QStringView text);

    // The ratio as the window and the setup's TachRatio show it ("0.0000").
    static QString ratioText(float ratio, QChar decimalSeparator);

    // Status bar texts: on opening the window (yellow), while typing a target (yellow), after the
    // loaded correction.
    static QString openedText(int target) { return QStringLiteral("Set Tech @  %1 rpm.").arg(target); }
    static QString typedTargetText(int target) { return QStringLiteral("Set Tach @  %1 rpm.").arg(target); }
    static QString loadedText(int target)
    {
        return QStringLiteral("Loaded Tach Setup, GOTO  %1").arg(target);
    }
};

} // namespace tolvane
