// tolvane-tool decode: replays recorded Black Box frames through one frame decoder of the step or
// sweep window and prints what each frame became.
//
// Input, one frame per line: MILLISECONDS HEXFRAME, the milliseconds counted from the start of
// the run (2026-01-02 08:00:00.000 local time, on a manual clock) and the frame as 24 (step) or
// 18 (sweep) hexadecimal digits, with blanks allowed between bytes.
// Output, one line per input line: "drop<TAB>range" for a frame outside the plausibility limits,
// "drop<TAB>spike" for a step frame dropped as a force spike, otherwise "ok", the cells of the
// sample's grid row, and then the engine rpm and the displayed torque, power and road speed
// (unit factors applied, smoothed in the step window), each "0.00", all separated by tabs.
//
// --config names the configuration file whose calibration and unit multipliers the live windows
// would read; without it the defaults hold (all multipliers 1).
//
// No controller runs: the decoder behaves as if the controller stood in its initial waiting state,
// so every row goes to the grid's rolling window and no event-graph points are made.
#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QTime>

#include "cli/command.h"
#include "cli/command_line.h"
#include "core/acquisition/black_box_frame.h"
#include "core/acquisition/frame_decoder.h"
#include "core/acquisition/live_display.h"
#include "core/acquisition/sample_grid.h"
#include "core/acquisition/sample_smoothing.h"
#include "core/acquisition/live_calibration.h"
#include "core/common/clock.h"
#include "core/common/configuration.h"
#include "core/common/number_text.h"
#include "core/common/text_locale.h"
#include "core/setup/unit_settings.h"

namespace tolvane::cli {

namespace {

// Keeps the displayed values of the last accepted sample for the output line.
class LastValues final : public LiveDisplay {
public:
    void showValues(const DisplayedValues& values) override { last = values; }
    DisplayedValues last;
};

struct FrameLine {
    qint64 ms = 0;
    QByteArray bytes;
};

// Reads "MILLISECONDS HEXFRAME"; the text of the fault otherwise.
std::optional<QString> parseFrameLine(const QString& line, int frameSize, FrameLine& out)
{
    QString blanksAsSpaces = line;
    blanksAsSpaces.replace(QLatin1Char('\t'), QLatin1Char(' '));
    const QStringList parts = blanksAsSpaces.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() < 2)
        return QStringLiteral("expected MILLISECONDS HEXFRAME");
    bool ok = false;
    out.ms = parts[0].toLongLong(&ok);
    if (!ok || out.ms < 0 || parts[0].startsWith(QLatin1Char('+')))
        return QStringLiteral("milliseconds \"%1\" is not a whole number from 0").arg(parts[0]);
    out.bytes.clear();
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QString& group = parts[i];
        if (group.size() % 2 != 0)
            return QStringLiteral("\"%1\" splits a byte; blanks may only stand between bytes").arg(group);
        for (QChar c : group) {
            const char a = c.unicode() < 128 ? static_cast<char>(c.unicode()) : 'x';
            if (!((a >= '0' && a <= '9') || (a >= 'a' && a <= 'f') || (a >= 'A' && a <= 'F')))
                return QStringLiteral("\"%1\" is not hexadecimal").arg(group);
        }
        out.bytes.append(QByteArray::fromHex(group.toLatin1()));
    }
    if (out.bytes.size() != frameSize)
        return QStringLiteral("a frame has %1 hexadecimal digits, this one has %2")
            .arg(frameSize * 2)
            .arg(out.bytes.size() * 2);
    return std::nullopt;
}

int runDecode(const Command& self, const QStringList& arguments, CommandIo& io)
{
    const CommandLine cl(arguments,
                         {QStringLiteral("tach"), QStringLiteral("inertia"), QStringLiteral("depth"),
                          QStringLiteral("config"), QStringLiteral("decimal")},
                         {QStringLiteral("sweep")});
    if (!cl.ok())
        return usageError(self, io, cl.error());
    if (!cl.positional().isEmpty())
        return usageError(self, io,
                          QStringLiteral("unexpected argument \"%1\"").arg(cl.positional().front()));

    TextLocale locale = TextLocale::standard();
    if (const auto decimal = cl.value(QStringLiteral("decimal"))) {
        if (*decimal != QLatin1String(".") && *decimal != QLatin1String(","))
            return usageError(self, io, QStringLiteral("--decimal takes \".\" or \",\""));
        locale = TextLocale::withDecimal(decimal->front());
    }
    const LiveWindow window = cl.has(QStringLiteral("sweep")) ? LiveWindow::Sweep : LiveWindow::Step;

    float tach = 0.0f;
    if (const auto text = cl.value(QStringLiteral("tach"))) {
        const auto v = parseFloat(*text, locale);
        if (!v || *v < 0.0)
            return usageError(self, io, QStringLiteral("--tach takes a ratio of 0 or more"));
        tach = static_cast<float>(*v);
    }
    float inertia = 3.5f;
    if (const auto text = cl.value(QStringLiteral("inertia"))) {
        const auto v = parseFloat(*text, locale);
        if (!v)
            return usageError(self, io, QStringLiteral("--inertia takes a number"));
        inertia = static_cast<float>(*v);
    }
    int depth = SampleSmoothing::DefaultDepth;
    if (const auto text = cl.value(QStringLiteral("depth"))) {
        const auto v = parseInt(*text);
        if (!v || *v < SampleSmoothing::MinDepth || *v > SampleSmoothing::MaxDepth)
            return usageError(self, io, QStringLiteral("--depth takes a whole number from 2 to 127"));
        depth = static_cast<int>(*v);
    }

    SampleGrid grid(window);
    FrameDecoder decoder(window, grid, locale);
    decoder.setTachRatio(tach);
    decoder.setInertia(inertia);
    decoder.smoothing().setDepth(depth);
    if (const auto path = cl.value(QStringLiteral("config"))) {
        if (!QFileInfo(*path).isFile()) {
            io.err << "tolvane-tool decode: cannot read the configuration file \"" << *path << "\"\n";
            return ExitBadInput;
        }
        const Configuration config(*path, locale);
        decoder.setCalibration(readLiveCalibration(config, window));
        UnitSettings units;
        units.load(config);
        decoder.setDisplayFactors(DisplayFactors::of(units));
    }
    LastValues display;
    decoder.setDisplay(&display);

    ManualClock clock(QDateTime(QDate(2026, 1, 2), QTime(8, 0)));
    const int frameSize = BlackBoxFrame::sizeFor(window);
    const QChar sep = locale.decimalSeparator;
    FrameLine frame;
    int lineNumber = 0;
    while (!io.in.atEnd()) {
        const QString line = io.in.readLine();
        ++lineNumber;
        if (const auto fault = parseFrameLine(line, frameSize, frame)) {
            io.out.flush();
            io.err << "tolvane-tool decode: line " << lineNumber << ": " << *fault << '\n';
            return ExitBadInput;
        }
        clock.advanceMs(frame.ms - clock.elapsedMs());
        const DecodeResult r = decoder.decode(BlackBoxFrame(window, frame.bytes), clock.now());
        switch (r.outcome) {
        case FrameOutcome::OutOfRange:
            io.out << "drop\trange\n";
            break;
        case FrameOutcome::ForceSpike:
            io.out << "drop\tspike\n";
            break;
        case FrameOutcome::Accepted: {
            const DisplayedValues& v = display.last;
            io.out << "ok\t" << grid.row(r.gridRow).join(QLatin1Char('\t')) << '\t'
                   << formatNumber(decoder.sample().engineRpm, u"0.00", sep) << '\t'
                   << formatNumber(v.engineTorque, u"0.00", sep) << '\t'
                   << formatNumber(v.power, u"0.00", sep) << '\t' << formatNumber(v.roadSpeed, u"0.00", sep)
                   << '\n';
            break;
        }
        }
    }
    return ExitOk;
}

} // namespace

Command decodeCommand()
{
    Command c;
    c.name = QStringLiteral("decode");
    c.usage = QStringLiteral("[--sweep] [--tach R] [--inertia I] [--depth N] [--config INI] [--decimal C] "
                             "< lines of MILLISECONDS HEXFRAME");
    c.run = [c](const QStringList& arguments, CommandIo& io) { return runDecode(c, arguments, io); };
    return c;
}

} // namespace tolvane::cli
