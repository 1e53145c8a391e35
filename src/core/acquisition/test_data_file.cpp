#include "core/acquisition/test_data_file.h"

#include <cmath>

#include "core/common/number_text.h"

namespace tolvane {

namespace {

QString trueFalse(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString cutAtTab(const QString& label)
{
    const qsizetype tab = label.indexOf(QLatin1Char('\t'));
    return tab < 0 ? label : label.left(tab);
}

QStringList conditionLines(const TestFileHeader& header, const TextLocale& locale)
{
    return {QStringLiteral("Temp- ") + header.temperatureText + QStringLiteral("  Bar- ") + header.pressureText
                + QStringLiteral("  H20- ") + header.humidityText,
            QStringLiteral("Correction Factor Applied - ") + header.correctionText,
            QStringLiteral("Eng. Tachometer Ratio - ") + formatNumber(header.tachRatio, u"0.0000", locale)};
}

QStringList closingLines(const TestFileHeader& header, const SetupBlockValues& setup, TestFileKind kind,
                         const QString& blank)
{
    QStringList lines{QStringLiteral("end."), QStringLiteral(" ")};
    lines += setupBlockLines(setup, kind);
    lines << blank << blank << header.companyName << header.companyAddress;
    return lines;
}

// The time column reads "h:nn:ss.zzz" (or with the locale's separator before the milliseconds);
// the result is the time of day in date-time units.
std::optional<double> parseTimeOfDay(const QString& text, QChar decimalSeparator)
{
    const QStringList parts = text.trimmed().split(QLatin1Char(':'));
    if (parts.size() != 3)
        return std::nullopt;
    const auto h = parseInt(parts[0]);
    const auto m = parseInt(parts[1]);
    const auto s = parseFloat(parts[2], decimalSeparator);
    if (!h || !m || !s || *h < 0 || *h > 23 || *m < 0 || *m > 59 || *s < 0.0 || *s >= 60.0)
        return std::nullopt;
    return (static_cast<double>(*h) * 3600.0 + static_cast<double>(*m) * 60.0 + *s) / 86400.0;
}

QString cell(const GridRows& rows, qsizetype row, int column)
{
    if (row < 0 || row >= rows.size())
        return {};
    return rows[row].value(column);
}

} // namespace

QStringList setupBlockLines(const SetupBlockValues& v, TestFileKind kind)
{
    const bool step = kind == TestFileKind::Step;
    QStringList lines{
        QStringLiteral("--Test Setup--"),
        QStringLiteral("Min Rpm:") + QString::number(v.minRpm),
        QStringLiteral("Redline:") + QString::number(v.redline),
        (step ? QStringLiteral("Weight:") : QStringLiteral("T fps/s:")) + QString::number(v.targetAcceleration),
        (step ? QStringLiteral("DrgCo:") : QStringLiteral("Hold:")) + QString::number(v.holdAcceleration),
        QStringLiteral("Inertia:") + v.inertiaText,
        QStringLiteral("Auto Decell:") + trueFalse(v.autoDecel),
        QStringLiteral("Decell rpm:") + QString::number(v.decelRpm),
        QStringLiteral("Auto Inc:") + trueFalse(v.autoIncrement),
        QStringLiteral("Step rpm:") + QString::number(v.stepRpm),
        QStringLiteral("Warm up:") + trueFalse(v.warmUp),
        QStringLiteral("Warm rpm:") + QString::number(v.warmRpm),
        QStringLiteral("Max fps/s:") + QString::number(v.maxFpss),
        QStringLiteral("Max Lbs/s:") + QString::number(v.maxLbss),
        QStringLiteral("Min hp:") + QString::number(v.minHp),
        QStringLiteral("Min Seconds:") + QString::number(v.minSeconds),
        QStringLiteral("EGA:") + trueFalse(v.ega),
    };
    if (step) {
        lines << QStringLiteral("fpss MF:") + QString::number(v.accelerationMultiplication)
              << QStringLiteral("Feedback DF:") + QString::number(v.feedbackDivider);
    }
    lines << QStringLiteral("--Test Setup--");
    return lines;
}

QString applyCorrection(const QString& dataLine, double correction, const TextLocale& locale)
{
    if (dataLine.startsWith(QLatin1Char('c')) || dataLine.count(QLatin1Char('\t')) < 4)
        return dataLine;
    const QStringList fields = dataLine.split(QLatin1Char('\t'));
    const auto power = parseFloat(fields[2], locale);
    const auto torque = parseFloat(fields[3], locale);
    if (!power || !torque) // a line that is not ours to scale is kept as written
        return dataLine;
    QStringList out{fields[0], fields[1], formatNumber(*power * correction, u"0.0", locale),
                    formatNumber(*torque * correction, u"0.0", locale)};
    out += fields.mid(4);
    return out.join(QLatin1Char('\t'));
}

QStringList buildStepFile(const TestFileHeader& header, const QStringList& recordLines,
                          const SetupBlockValues& setup, const TextLocale& locale)
{
    QStringList lines{QStringLiteral("QV512e -USB- Auto Step   ") + formatDateTimeText(header.savedAt, locale),
                      header.relativePath, QStringLiteral("\t ")};
    lines += header.notes;
    lines << QStringLiteral(" ");
    lines += conditionLines(header, locale);
    lines << QStringLiteral(" ");
    lines << header.engineSpeedLabel + QLatin1Char('\t') + header.roadSpeedLabel + QLatin1Char('\t')
                 + header.powerLabel + QLatin1Char('\t') + header.torqueLabel + QLatin1Char('\t') + header.gasHeadings;
    const double correction = parseFloat(header.correctionText, locale).value_or(1.0);
    for (const QString& line : recordLines)
        lines << applyCorrection(line, correction, locale);
    lines += closingLines(header, setup, TestFileKind::Step, QStringLiteral(" "));
    return lines;
}

void purgeMarkedRows(GridRows& rows, const TextLocale& locale)
{
    for (qsizetype r = 0; r + 1 < rows.size();) {
        if (!parseFloat(rows[r].value(4), locale) || !parseFloat(rows[r].value(5), locale))
            rows.removeAt(r);
        else
            ++r;
    }
}

QStringList buildSweepFile(const TestFileHeader& header, const GridRows& rows, const SweepPhysics& p,
                           const SetupBlockValues& setup, const TextLocale& locale)
{
    const QChar sep = locale.decimalSeparator;
    QStringList data;
    // Peaks of the uncorrected curve; the "Max" lines apply the unit factors and the atmospheric
    // window's factor themselves.
    double peakPower = 0.0, peakPowerRpm = 0.0, peakTorque = 0.0, peakTorqueRpm = 0.0;
    bool anyLine = false;

    // A value that does not convert keeps the one of the previous row.
    double R = 0.0, F = 0.0, tBefore = 0.0, tAfter = 0.0, rBefore = 0.0, rAfter = 0.0, alpha = 0.0;
    qint64 echo = 0;
    const qsizetype rowCount = rows.size();
    if (rowCount >= 19) {
        for (qsizetype r = 14; r <= rowCount - 5; ++r) {
            bool converted = true;
            auto take = [&](std::optional<double> v, double& into) {
                if (v)
                    into = *v;
                else
                    converted = false;
            };
            take(parseFloat(cell(rows, r, 1), locale), R);
            take(parseFloat(cell(rows, r, 2), locale), F);
            take(parseTimeOfDay(cell(rows, r - 4, 0), sep), tBefore);
            take(parseTimeOfDay(cell(rows, r + 4, 0), sep), tAfter);
            take(parseFloat(cell(rows, r - 4, 1), locale), rBefore);
            take(parseFloat(cell(rows, r + 4, 1), locale), rAfter);
            if (const auto e = parseInt(QLatin1Char('$') + cell(rows, r, 6).trimmed()))
                echo = *e;
            else
                converted = false;
            if (!converted)
                data << QStringLiteral("Text to Number Conversion Error... data line#:") + QString::number(r);

            double dt = (tAfter - tBefore) * 100000.0;
            if (dt < 0.0) // the sweep ran over midnight
                dt += 100000.0;
            if (dt != 0.0) // as in the live decoding: no time step, no new acceleration
                alpha = (rAfter - rBefore) * 0.10472 / dt;
            const double W = R * 0.0021;
            const double I = p.inertia * alpha;
            const double rawPower = R * (F + W + I) / 5252.0;
            const double H = p.correction * rawPower;
            const double engineRpm = R * p.tachRatio;
            const double torque = engineRpm != 0.0 ? H * 5252.0 / engineRpm : 0.0;
            const double rawTorque = engineRpm != 0.0 ? rawPower * 5252.0 / engineRpm : 0.0;
            data << formatNumber(engineRpm, u"0", sep) + QLatin1Char('\t')
                        + formatNumber(R * p.rollerFactor, u"0.0", sep) + QLatin1Char('\t')
                        + formatNumber(H, u"0.0", sep) + QLatin1Char('\t') + formatNumber(torque, u"0.0", sep)
                        + QLatin1Char('\t') + formatNumber(alpha, u"0.00", sep) + QLatin1Char('\t')
                        + formatNumber(I, u"0.000", sep) + QLatin1Char('\t') + formatNumber(F + W, u"0.000", sep)
                        + QLatin1Char('\t') + QString::number(echo) + QLatin1Char('\t');
            if (!anyLine || rawPower > peakPower) {
                peakPower = rawPower;
                peakPowerRpm = engineRpm;
            }
            if (!anyLine || rawTorque > peakTorque) {
                peakTorque = rawTorque;
                peakTorqueRpm = engineRpm;
            }
            anyLine = true;
        }
    }

    const QString engineLabel = cutAtTab(header.engineSpeedLabel);
    auto maxLine = [&](const QString& label, double value, double rpm) {
        return QStringLiteral("Max ") + cutAtTab(label) + QStringLiteral(":  ") + formatNumber(value, u"0.00", sep)
               + QStringLiteral("  @  ") + formatNumber(rpm, u"0", sep) + QLatin1Char(' ') + engineLabel
               + QLatin1Char('.');
    };
    QStringList lines{QStringLiteral("QV512e Auto Sweep   ") + formatDateTimeText(header.savedAt, locale),
                      header.relativePath, QString(),
                      maxLine(header.powerLabel, peakPower * p.powerFactor * p.corrFactor, peakPowerRpm),
                      maxLine(header.torqueLabel, peakTorque * p.forceFactor * p.corrFactor, peakTorqueRpm),
                      QString()};
    lines += header.notes;
    lines << QStringLiteral(" ");
    lines += conditionLines(header, locale);
    lines << QStringLiteral(" ") << QStringLiteral(" ");
    lines << header.engineSpeedLabel + QLatin1Char('\t') + header.roadSpeedLabel + QLatin1Char('\t')
                 + header.powerLabel + QLatin1Char('\t') + header.torqueLabel + QLatin1Char('\t')
                 + QStringLiteral("Acc \tD_Tq \tS_Tq \tAngO \t");
    lines << QStringLiteral(" ");
    lines += data;
    lines += closingLines(header, setup, TestFileKind::Sweep, QString());
    return lines;
}

} // namespace tolvane
