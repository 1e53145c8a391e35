// tolvane-tool brake: the brake command a live window would send for one target: the output code
// on the first line, the nine command bytes in hexadecimal on the second.
//
// The step window holds its code in the 0...25000 range of its output slider; the sweep window
// sends targets of 32768 and above (and any target while the tach ratio is 0) as they stand, and
// every sweep code within the 0...65535 of its two bytes. The code printed is the one sent.
#include <cmath>

#include "cli/command.h"
#include "cli/command_line.h"
#include "core/acquisition/brake_command.h"
#include "core/common/number_text.h"

namespace tolvane::cli {

namespace {

// An integer option within its slider's range; false (after the usage error) otherwise.
bool readSetting(const CommandLine& cl, const QString& name, int low, int high, int& value)
{
    const auto text = cl.value(name);
    if (!text)
        return true;
    const auto v = parseInt(*text);
    if (!v || *v < low || *v > high)
        return false;
    value = static_cast<int>(*v);
    return true;
}

int runBrake(const Command& self, const QStringList& arguments, CommandIo& io)
{
    const CommandLine cl(arguments,
                         {QStringLiteral("tach"), QStringLiteral("target"), QStringLiteral("amf"),
                          QStringLiteral("fdf"), QStringLiteral("accel"), QStringLiteral("bar2"),
                          QStringLiteral("bar3")},
                         {QStringLiteral("sweep")});
    if (!cl.ok())
        return usageError(self, io, cl.error());
    if (!cl.positional().isEmpty())
        return usageError(self, io,
                          QStringLiteral("unexpected argument \"%1\"").arg(cl.positional().front()));
    const LiveWindow window = cl.has(QStringLiteral("sweep")) ? LiveWindow::Sweep : LiveWindow::Step;

    const auto tachText = cl.value(QStringLiteral("tach"));
    const auto targetText = cl.value(QStringLiteral("target"));
    if (!tachText || !targetText)
        return usageError(self, io, QStringLiteral("--tach and --target are required"));
    const auto tach = parseFloat(*tachText, QLatin1Char('.'));
    if (!tach || *tach < 0.0)
        return usageError(self, io, QStringLiteral("--tach takes a ratio of 0 or more"));
    const auto target = parseInt(*targetText);
    if (!target || *target < 0 || *target > 1000000)
        return usageError(self, io, QStringLiteral("--target takes a whole engine rpm from 0 to 1000000"));
    // The program keeps the ratio as a float: a ratio no float holds is refused, not sent as infinity.
    const auto ratio = static_cast<float>(*tach);
    if (!std::isfinite(ratio))
        return usageError(self, io, QStringLiteral("--tach takes a ratio of 0 or more"));
    if (window == LiveWindow::Step && ratio <= 0.0f)
        return usageError(self, io, QStringLiteral("the step window needs a tach ratio above 0"));

    BrakeLoopSettings settings;
    if (!readSetting(cl, QStringLiteral("amf"), 0, 31, settings.accelerationMultiplication))
        return usageError(self, io, QStringLiteral("--amf takes 0 to 31"));
    if (!readSetting(cl, QStringLiteral("fdf"), 1, 20, settings.feedbackDivider))
        return usageError(self, io, QStringLiteral("--fdf takes 1 to 20"));
    if (!readSetting(cl, QStringLiteral("accel"), 1, 50, settings.targetAcceleration))
        return usageError(self, io, QStringLiteral("--accel takes 1 to 50"));
    if (!readSetting(cl, QStringLiteral("bar2"), 0, 255, settings.bar2))
        return usageError(self, io, QStringLiteral("--bar2 takes 0 to 255"));
    if (!readSetting(cl, QStringLiteral("bar3"), 0, 255, settings.bar3))
        return usageError(self, io, QStringLiteral("--bar3 takes 0 to 255"));

    // The code printed is the one the bytes carry, held within the window's range.
    const int code = window == LiveWindow::Step
                         ? brakeOutputCode(static_cast<double>(*target), ratio, AoutBarMax)
                         : sweepOutputCode(static_cast<int>(*target), ratio);
    const BrakeCommand command(window, code, settings);
    io.out << code << '\n' << command.toByteArray().toHex(' ').toUpper() << '\n';
    return ExitOk;
}

} // namespace

Command brakeCommand()
{
    Command c;
    c.name = QStringLiteral("brake");
    c.usage = QStringLiteral(
        "[--sweep] --tach R --target RPM [--amf N] [--fdf N] [--accel N] [--bar2 N] [--bar3 N]");
    c.run = [c](const QStringList& arguments, CommandIo& io) { return runBrake(c, arguments, io); };
    return c;
}

} // namespace tolvane::cli
