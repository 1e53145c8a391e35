// tolvane-tool render: draws saved runs as the graph window would compare them (palette colours
// and markers by selection row, power solid, torque dashed, CO% / Acc dotted, axes fitted to the
// runs) and writes the picture as PNG, JPEG (the graph's own "Save as jpg..." encoding) or a
// vector PDF page. A key names the runs as the browser's selection grid does, by their paths
// below a root folder. Needs no display: tolvane-tool starts it in an offscreen QApplication.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>

#include "cli/command.h"
#include "cli/command_line.h"
#include "core/analysis/axis_titles.h"
#include "core/analysis/graph_settings.h"
#include "core/analysis/run_plotter.h"
#include "core/analysis/series_model.h"
#include "core/analysis/viewer_state.h"
#include "core/common/number_text.h"
#include "core/common/scripted_prompter.h"
#include "core/library/selection.h"
#include "core/setup/unit_settings.h"
#include "platform/chart/qcp_chart.h"
#include "platform/jpeg/jpeg_writer.h"

namespace tolvane::cli {

namespace {

constexpr int DefaultWidth = 1000;
constexpr int DefaultHeight = 700;
constexpr int MinimumSide = 100;
constexpr int MaximumSide = 10000;

enum class Format { Png, Jpeg, Pdf };

std::optional<Format> formatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return Format::Png;
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return Format::Jpeg;
    if (suffix == QLatin1String("pdf"))
        return Format::Pdf;
    return std::nullopt;
}

std::optional<GraphSettings::LineDisplayMode> modeOf(const QString& text)
{
    using Mode = GraphSettings::LineDisplayMode;
    const struct {
        const char* name;
        Mode mode;
    } modes[] = {{"highest", Mode::ShowHighest}, {"all", Mode::ShowAll},    {"3.0", Mode::Tolerance3},
                 {"2.0", Mode::Tolerance2},      {"1.0", Mode::Tolerance1}, {"0.5", Mode::Tolerance05},
                 {"0.1", Mode::Tolerance01}};
    for (const auto& m : modes) {
        if (text == QLatin1String(m.name))
            return m.mode;
    }
    return std::nullopt;
}

std::optional<int> sideOf(const CommandLine& cl, const QString& name, int fallback)
{
    const std::optional<QString> text = cl.value(name);
    if (!text)
        return fallback;
    const std::optional<std::int64_t> value = parseInt(*text);
    if (!value || *value < MinimumSide || *value > MaximumSide)
        return std::nullopt;
    return int(*value);
}

// A file's path in one form for every run: absolute, with "/" and without "." or ".." steps, so
// the paths compare folder by folder.
QString cleanAbsolutePath(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// The root the key names the runs below, as the selection grid names them below the library root:
// the deepest folder that holds every run, so the key shows what tells the runs apart (their
// names, and the folders that differ) and leaves out the folders they share. "" is the top of
// the file system; a root never ends with a separator, so each name starts with one, as three
// blanks, as it does in the grid.
QString commonFolder(const QStringList& paths)
{
    QStringList common = paths.front().split(QLatin1Char('/'));
    common.removeLast(); // the file name
    for (const QString& path : paths) {
        const QStringList parts = path.split(QLatin1Char('/'));
        qsizetype shared = 0;
        while (shared < common.size() && shared < parts.size() - 1 && common[shared] == parts[shared])
            ++shared;
        common.resize(shared);
    }
    return common.join(QLatin1Char('/'));
}

// Writes the chart in the format the output name asks for; an error text on failure.
std::optional<QString> writePicture(const QcpChart& chart, const QString& path, Format format, int width,
                                    int height)
{
    if (format == Format::Jpeg) {
        auto saved = saveJpeg(path, chart.capture(width, height));
        if (const auto* error = std::get_if<FileError>(&saved))
            return error->message;
        return std::nullopt;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
    const bool drawn = format == Format::Png
                           ? chart.capture(width, height).save(&file, "PNG")
                           : chart.writePdf(file, width, height, QFileInfo(path).completeBaseName());
    if (!drawn) {
        const QString why = file.errorString();
        file.cancelWriting();
        return QStringLiteral("Cannot write %1: %2").arg(path, why);
    }
    if (!file.commit())
        return QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
    return std::nullopt;
}

int runRender(const Command& self, const QStringList& arguments, CommandIo& io)
{
    const CommandLine cl(arguments, {"out", "width", "height", "mode", "root"},
                         {"mph", "uncorrected", "no-hp", "no-torque", "no-co", "points", "average"});
    if (!cl.ok())
        return usageError(self, io, cl.error());
    const QStringList& files = cl.positional();
    if (files.isEmpty())
        return usageError(self, io, QStringLiteral("at least one run FILE is required"));
    if (files.size() > Selection::MaxRuns)
        return usageError(self, io,
                          QStringLiteral("at most %1 runs can be compared").arg(Selection::MaxRuns));
    const std::optional<QString> out = cl.value(QStringLiteral("out"));
    if (!out)
        return usageError(self, io, QStringLiteral("--out is required"));
    const std::optional<Format> format = formatOf(*out);
    if (!format)
        return usageError(self, io, QStringLiteral("--out must name a .png, .jpg or .pdf file"));
    const std::optional<int> width = sideOf(cl, QStringLiteral("width"), DefaultWidth);
    const std::optional<int> height = sideOf(cl, QStringLiteral("height"), DefaultHeight);
    if (!width || !height)
        return usageError(
            self, io,
            QStringLiteral("--width and --height take %1 to %2 pixels").arg(MinimumSide).arg(MaximumSide));
    std::optional<GraphSettings::LineDisplayMode> mode;
    if (const std::optional<QString> text = cl.value(QStringLiteral("mode"))) {
        mode = modeOf(*text);
        if (!mode)
            return usageError(self, io, QStringLiteral("unknown --mode \"%1\"").arg(*text));
    }
    QStringList paths;
    for (const QString& file : files)
        paths.append(cleanAbsolutePath(file));
    QString root;
    if (const std::optional<QString> given = cl.value(QStringLiteral("root"))) {
        root = cleanAbsolutePath(*given);
        if (root.endsWith(QLatin1Char('/')))
            root.chop(1); // "/" itself, or a drive's top folder
        for (qsizetype i = 0; i < paths.size(); ++i) {
            if (!paths[i].startsWith(root + QLatin1Char('/')))
                return usageError(self, io,
                                  QStringLiteral("%1 is not inside --root %2").arg(files[i], *given));
        }
    } else {
        root = commonFolder(paths);
    }
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        io.err << "tolvane-tool render: drawing needs the tool's QApplication\n";
        return ExitBadInput;
    }

    // The selection as the browser builds it: palette colour and marker by row, display name
    // below the root.
    Selection selection;
    for (const QString& path : paths)
        selection.addRun(path, root, QString(), Selection::MarkerSpelling::Capital);
    GraphSettings settings;
    const bool mph = cl.has(QStringLiteral("mph"));
    settings.setXAxisColumn(mph ? GraphSettings::RoadSpeedAxis : GraphSettings::EngineSpeedAxis);
    settings.setShowPower(!cl.has(QStringLiteral("no-hp")));
    settings.setShowTorque(!cl.has(QStringLiteral("no-torque")));
    settings.setShowCo(!cl.has(QStringLiteral("no-co")));
    settings.setCorrected(!cl.has(QStringLiteral("uncorrected")));
    settings.setPrintPoints(cl.has(QStringLiteral("points")));
    settings.setAverageTestPhases(cl.has(QStringLiteral("average")));
    if (mode)
        settings.setLineDisplayMode(*mode);
    ViewerState viewer;
    viewer.setRescalePending(true); // the runs were just added: fit the axes to them

    QcpChart chart;
    SeriesModel model(&chart);
    model.SetPlotting(false);
    const UnitSettings units;
    const AxisTitles titles =
        writeAxisTitles(mph, settings.showPower(), settings.showTorque(), settings.showCo(), units);
    model.setXAxisTitle(titles.x);
    model.setYAxisTitle(titles.y);
    ChartAppearance look;
    look.backgroundColor = settings.backgroundColor();
    look.marginColor = settings.backgroundColor();
    look.gridLines = settings.gridLines();
    model.setAppearance(look);
    model.SetPlotting(true);

    ScriptedPrompter prompter;
    RunPlotter plotter(model, selection, settings, viewer, prompter, TextLocale::standard().decimalSeparator);
    const PlotAllResult plotted = plotter.PlotAll();
    if (plotted.outcome != PlotAllResult::Outcome::Plotted) {
        for (const PromptRequest& asked : prompter.asked())
            io.err << "tolvane-tool render: "
                   << QString(asked.text).replace(QLatin1Char('\n'), QLatin1Char(' ')) << '\n';
        io.err << "tolvane-tool render: nothing written\n";
        return ExitBadInput;
    }
    // The picture leaves the program without the selection grid that names the runs on screen:
    // a key in the runs' colours takes its place, on the first curve drawn with a line, naming
    // each run as the grid does (runs of one name in different folders stay apart).
    const int keyBase = settings.showPower()    ? SeriesKey::Power
                        : settings.showTorque() ? SeriesKey::Torque
                        : settings.showCo()     ? SeriesKey::Co
                                                : SeriesKey::Power;
    QList<QPair<int, QString>> legend;
    for (int run = 1; run <= selection.runCount(); ++run)
        legend.append({keyBase + run, selection.row(run).displayName});
    chart.setLegend(legend);
    if (const std::optional<QString> error = writePicture(chart, *out, *format, *width, *height)) {
        io.err << "tolvane-tool render: " << *error << '\n';
        return ExitBadInput;
    }
    io.out << "wrote " << *out << " (" << files.size() << (files.size() == 1 ? " run, " : " runs, ") << *width
           << 'x' << *height << ")\n";
    return ExitOk;
}

} // namespace

Command renderCommand()
{
    Command c;
    c.name = QStringLiteral("render");
    c.usage = QStringLiteral(
        "FILE... --out OUT.png|OUT.jpg|OUT.pdf [--mph] [--uncorrected] [--no-hp] [--no-torque] "
        "[--no-co] [--points] [--width W --height H] "
        "[--mode highest|all|3.0|2.0|1.0|0.5|0.1] [--average] "
        "[--root DIR (the key names each run by its path below DIR; default: the deepest folder "
        "holding every FILE)]");
    c.run = [c](const QStringList& arguments, CommandIo& io) { return runRender(c, arguments, io); };
    return c;
}

} // namespace tolvane::cli
