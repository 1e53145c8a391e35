// tolvane-tool render: saved runs drawn offscreen into PNG, JPEG and PDF files, with clear
// failures and nothing written when a run cannot be plotted.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "support/fixtures.h"
#include "support/tool_runner.h"

namespace {

using tolvane::test::ToolRun;

ToolRun render(const QStringList& arguments)
{
    // No display and no platform chosen: the tool must pick the offscreen platform itself.
    tolvane::test::ToolOptions options;
    options.unsetEnvironment = {QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("DISPLAY"),
                                QStringLiteral("WAYLAND_DISPLAY")};
    return tolvane::test::runTool(QStringList{QStringLiteral("render")} + arguments, options);
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int bigEndian(const QByteArray& bytes, qsizetype at, int size)
{
    int value = 0;
    for (int i = 0; i < size; ++i)
        value = (value << 8) | quint8(bytes[at + i]);
    return value;
}

QStringList sweeps()
{
    QStringList files;
    for (const char* name : {"render/sweep_a.SWP", "render/sweep_b.SWP", "render/sweep_c.SWP"})
        files << tolvane::test::fixturePath(QString::fromLatin1(name));
    return files;
}

class RenderCommand : public ::testing::Test {
protected:
    QTemporaryDir dir;
};

TEST_F(RenderCommand, WritesPngAtTheAskedSize)
{
    const QString out = dir.filePath(QStringLiteral("graph.png"));
    ToolRun run = render(sweeps() + QStringList{"--out", out});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("wrote %1 (3 runs, 1000x700)\n").arg(out));
    QByteArray png = fileBytes(out);
    ASSERT_TRUE(png.startsWith("\x89PNG\r\n\x1a\n"));
    EXPECT_EQ(bigEndian(png, 16, 4), 1000);
    EXPECT_EQ(bigEndian(png, 20, 4), 700);

    run =
        render(sweeps() + QStringList{"--out", out, "--width", "640", "--height", "480", "--mph", "--points",
                                      "--no-co", "--uncorrected", "--mode", "highest", "--average"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    png = fileBytes(out);
    EXPECT_EQ(bigEndian(png, 16, 4), 640);
    EXPECT_EQ(bigEndian(png, 20, 4), 480);
}

TEST_F(RenderCommand, WritesBaselineJpegAndVectorPdf)
{
    const QString jpg = dir.filePath(QStringLiteral("graph.jpg"));
    ToolRun run = render(sweeps() + QStringList{"--out", jpg, "--width", "800", "--height", "600"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QByteArray jpeg = fileBytes(jpg);
    ASSERT_TRUE(jpeg.startsWith("\xFF\xD8\xFF\xE0"));
    EXPECT_EQ(jpeg.mid(6, 5), QByteArray("JFIF\0", 5));
    const qsizetype sof = jpeg.indexOf("\xFF\xC0");
    ASSERT_GT(sof, 0);
    EXPECT_EQ(bigEndian(jpeg, sof + 5, 2), 600);
    EXPECT_EQ(bigEndian(jpeg, sof + 7, 2), 800);
    EXPECT_EQ(jpeg.indexOf("\xFF\xC2"), -1) << "progressive";

    const QString pdf = dir.filePath(QStringLiteral("graph.pdf"));
    run = render(sweeps() + QStringList{"--out", pdf});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QByteArray page = fileBytes(pdf);
    EXPECT_TRUE(page.startsWith("%PDF-"));
    // 1000 x 700 screen pixels at 96 per inch: a 750 x 525 point page, text kept as a font.
    EXPECT_TRUE(page.contains("/MediaBox [0 0 750.000000 525.000000]"));
    EXPECT_TRUE(page.contains("/FontFile2"));
}

TEST_F(RenderCommand, RunsThatCannotBePlottedWriteNothing)
{
    const QString out = dir.filePath(QStringLiteral("graph.png"));
    ToolRun run = render({tolvane::test::fixturePath(QStringLiteral("render/sweep_a.SWP")),
                          tolvane::test::fixturePath(QStringLiteral("runs/cold_only.STP")), "--out", out});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("No Data!  This can happen if ALL the data in one file is cold..."))
        << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("nothing written"));
    EXPECT_FALSE(QFile::exists(out));

    run = render({dir.filePath(QStringLiteral("missing.SWP")), "--out", out});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("missing.SWP")) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));

    run = render(sweeps() + QStringList{"--out", dir.filePath(QStringLiteral("no/such/folder/graph.jpg"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("Cannot write")) << run.err.toStdString();
}

// The words on a PDF page, blanks folded, as a reader of the picture sees them.
QString pageText(const QString& pdf)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) {
        ADD_FAILURE() << "pdftotext is needed (poppler-utils, which scripts/install-deps installs)";
        return {};
    }
    const ToolRun run = tolvane::test::runProgram(pdftotext, {pdf, QStringLiteral("-")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    return run.out.simplified();
}

TEST_F(RenderCommand, KeyNamesRunsByTheirFoldersBelowTheRoot)
{
    // One run name in three folders of a library, as a shop's customers' runs are named.
    const QString library = dir.filePath(QStringLiteral("dynoruns"));
    const char* folders[] = {"Ford/Focus/Smith", "Ford/Focus/Jones", "Ford/Fiesta/Brown"};
    QStringList runs;
    for (int i = 0; i < 3; ++i) {
        const QString folder = library + QLatin1Char('/') + QLatin1String(folders[i]);
        ASSERT_TRUE(QDir().mkpath(folder));
        runs << folder + QStringLiteral("/01dyno.SWP");
        ASSERT_TRUE(QFile::copy(sweeps()[i], runs.back()));
    }
    const QString out = dir.filePath(QStringLiteral("graph.pdf"));
    struct Case {
        QStringList options;
        QStringList names; // as the selection grid shows them, blanks folded
        const char* absent;
    };
    const Case cases[] = {
        // By default the folders every run shares are left out.
        {{}, {"Focus Smith 01dyno.SWP", "Focus Jones 01dyno.SWP", "Fiesta Brown 01dyno.SWP"}, "Ford"},
        {{"--root", library},
         {"Ford Focus Smith 01dyno.SWP", "Ford Focus Jones 01dyno.SWP", "Ford Fiesta Brown 01dyno.SWP"},
         "dynoruns"},
        {{"--root", library + QStringLiteral("/Ford/")},
         {"Focus Smith 01dyno.SWP", "Focus Jones 01dyno.SWP", "Fiesta Brown 01dyno.SWP"},
         "Ford"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.join(' ').toStdString());
        const ToolRun run = render(runs + QStringList{"--out", out} + c.options);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QString text = pageText(out);
        for (const QString& name : c.names)
            EXPECT_TRUE(text.contains(name)) << name.toStdString() << " not in: " << text.toStdString();
        EXPECT_FALSE(text.contains(QLatin1String(c.absent))) << text.toStdString();
    }

    // A root that does not hold every run cannot name them.
    QFile::remove(out);
    const ToolRun outside =
        render(runs + QStringList{"--out", out, "--root", library + QStringLiteral("/Ford/Focus")});
    EXPECT_EQ(outside.exitCode, 2);
    EXPECT_TRUE(outside.err.contains(runs[2] + QStringLiteral(" is not inside --root")))
        << outside.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(RenderCommand, BadArgumentsPrintTheUsage)
{
    const QString out = dir.filePath(QStringLiteral("graph.png"));
    QStringList tooMany;
    for (int i = 0; i < 21; ++i)
        tooMany << sweeps().front();
    const QList<QStringList> cases{
        sweeps(),                                                   // no --out
        {"--out", out},                                             // no run
        sweeps() + QStringList{"--out", dir.filePath("graph.gif")}, // unknown picture format
        sweeps() + QStringList{"--out", out, "--mode", "0.7"},      // not a line display mode
        sweeps() + QStringList{"--out", out, "--width", "5"},       // too small
        sweeps() + QStringList{"--out", out, "--height", "wide"},   // not a number
        sweeps() + QStringList{"--out", out, "--colour"},           // unknown option
        tooMany + QStringList{"--out", out},                        // more runs than the graph holds
    };
    for (const QStringList& arguments : cases) {
        const ToolRun run = render(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains("usage: tolvane-tool render FILE... --out")) << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(out));
}

} // namespace
