// The JPEG export: baseline JFIF at quality 100 with square pixels, the file-name rules, and
// failures reported instead of ending the program.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "platform/jpeg/jpeg_writer.h"

namespace tolvane {
namespace {

struct Segment {
    quint8 marker;
    QByteArray payload; // without the length bytes
};

// Walks the marker segments up to the start of scan; enough to inspect the headers.
std::vector<Segment> headerSegments(const QByteArray& jpeg)
{
    std::vector<Segment> segments;
    if (jpeg.size() < 4 || quint8(jpeg[0]) != 0xFF || quint8(jpeg[1]) != 0xD8)
        return segments;
    qsizetype pos = 2;
    while (pos + 4 <= jpeg.size() && quint8(jpeg[pos]) == 0xFF) {
        const quint8 marker = quint8(jpeg[pos + 1]);
        const int length = (quint8(jpeg[pos + 2]) << 8) | quint8(jpeg[pos + 3]);
        segments.push_back({marker, jpeg.mid(pos + 4, length - 2)});
        if (marker == 0xDA)
            break;
        pos += 2 + length;
    }
    return segments;
}

QImage testPicture()
{
    QImage image(97, 61, QImage::Format_ARGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::red, 3));
    painter.drawLine(0, 60, 96, 0);
    painter.fillRect(10, 10, 20, 15, Qt::cyan);
    return image;
}

QByteArray encoded(const QImage& image)
{
    auto result = encodeJpeg(image);
    EXPECT_TRUE(std::holds_alternative<QByteArray>(result));
    return std::holds_alternative<QByteArray>(result) ? std::get<QByteArray>(result) : QByteArray();
}

TEST(JpegWriter, WritesBaselineJfifWithSquarePixelsAtQuality100)
{
    const QByteArray jpeg = encoded(testPicture());
    const auto segments = headerSegments(jpeg);
    ASSERT_FALSE(segments.empty());

    // APP0 first: "JFIF\0", version 1.01, units 0 (aspect ratio only), density 1:1, no thumbnail.
    ASSERT_EQ(segments.front().marker, 0xE0);
    const QByteArray app0 = segments.front().payload;
    ASSERT_EQ(app0.size(), 14);
    EXPECT_EQ(app0.left(5), QByteArray("JFIF\0", 5));
    EXPECT_EQ(quint8(app0[7]), 0) << "density unit";
    EXPECT_EQ((quint8(app0[8]) << 8) | quint8(app0[9]), 1) << "x density";
    EXPECT_EQ((quint8(app0[10]) << 8) | quint8(app0[11]), 1) << "y density";
    EXPECT_EQ(quint8(app0[12]), 0);
    EXPECT_EQ(quint8(app0[13]), 0);

    int frames = 0, quantTables = 0, huffmanTables = 0;
    for (const Segment& s : segments) {
        EXPECT_NE(s.marker, 0xC2) << "progressive frame";
        EXPECT_NE(s.marker, 0xC1) << "extended sequential frame";
        if (s.marker == 0xC0) {
            ++frames;
            EXPECT_EQ(quint8(s.payload[0]), 8) << "sample precision";
            EXPECT_EQ((quint8(s.payload[1]) << 8) | quint8(s.payload[2]), 61);
            EXPECT_EQ((quint8(s.payload[3]) << 8) | quint8(s.payload[4]), 97);
            ASSERT_EQ(quint8(s.payload[5]), 3) << "components";
            for (int c = 0; c < 3; ++c)
                EXPECT_EQ(quint8(s.payload[6 + 3 * c + 1]), 0x11)
                    << "full-resolution colour, component " << c;
        }
        if (s.marker == 0xDB) {
            // Each table: precision/id byte then 64 entries; quality 100 makes every entry 1.
            for (qsizetype t = 0; t + 65 <= s.payload.size(); t += 65) {
                ++quantTables;
                EXPECT_EQ(quint8(s.payload[t]) >> 4, 0) << "8-bit table";
                for (int i = 1; i <= 64; ++i)
                    ASSERT_EQ(quint8(s.payload[t + i]), 1) << "table entry " << i;
            }
        }
        if (s.marker == 0xC4) {
            // Standard (not optimised) tables: the luminance DC table counts 0 1 5 1 1 1 1 1 1 0...
            const QByteArray payload = s.payload;
            for (qsizetype t = 0; t + 17 <= payload.size();) {
                ++huffmanTables;
                int symbols = 0;
                for (int i = 1; i <= 16; ++i)
                    symbols += quint8(payload[t + i]);
                if (quint8(payload[t]) == 0x00) {
                    const QByteArray expected(
                        "\x00\x01\x05\x01\x01\x01\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00", 16);
                    EXPECT_EQ(payload.mid(t + 1, 16), expected);
                }
                if (quint8(payload[t]) == 0x10) {
                    EXPECT_EQ(symbols, 162) << "standard luminance AC table has 162 symbols";
                }
                t += 17 + symbols;
            }
        }
    }
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(quantTables, 2);
    EXPECT_EQ(huffmanTables, 4);
    EXPECT_EQ(quint8(jpeg[jpeg.size() - 2]), 0xFF);
    EXPECT_EQ(quint8(jpeg[jpeg.size() - 1]), 0xD9);
}

TEST(JpegWriter, KeepsThePictureAtQuality100)
{
    const QImage source = testPicture();
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(encoded(source), "JPG"));
    ASSERT_EQ(decoded.size(), source.size());
    const QRgb inside = decoded.pixel(20, 17);
    EXPECT_NEAR(qRed(inside), 0, 12);
    EXPECT_NEAR(qGreen(inside), 255, 12);
    EXPECT_NEAR(qBlue(inside), 255, 12);
    const QRgb corner = decoded.pixel(90, 55);
    EXPECT_LT(qRed(corner) + qGreen(corner) + qBlue(corner), 30);
}

TEST(JpegWriter, FileNameRules)
{
    const struct {
        const char* chosen;
        const char* written;
    } cases[] = {
        {"/tmp/graph1", "/tmp/graph1.jpg"},
        {"/tmp/graph1.bmp", "/tmp/graph1.bmp"},
        {"/tmp/graph1.jpg", "/tmp/graph1.jpg"},
        {"/tmp/runs.v2/graph1", "/tmp/runs.v2/graph1.jpg"}, // a dot in a folder is no extension
    };
    for (const auto& c : cases)
        EXPECT_EQ(jpegFileName(QString::fromUtf8(c.chosen)), QString::fromUtf8(c.written)) << c.chosen;
}

TEST(JpegWriter, SavesJpegDataUnderTheChosenExtension)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const QString& name : {QStringLiteral("graph1"), QStringLiteral("graph1.bmp")}) {
        auto result = saveJpeg(dir.filePath(name), testPicture());
        ASSERT_TRUE(std::holds_alternative<QString>(result)) << name.toStdString();
        const QString written = std::get<QString>(result);
        EXPECT_EQ(written, dir.filePath(name == QLatin1String("graph1") ? "graph1.jpg" : "graph1.bmp"));
        QFile file(written);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.read(4).startsWith("\xFF\xD8\xFF\xE0"));
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("graph1.bmp.jpg")));
}

TEST(JpegWriter, ReportsFailuresWithoutWritingAnything)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile blocker(dir.filePath("notafolder"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    auto unwritable = saveJpeg(dir.filePath("notafolder/graph"), testPicture());
    ASSERT_TRUE(std::holds_alternative<FileError>(unwritable));
    EXPECT_TRUE(std::get<FileError>(unwritable).message.contains("notafolder/graph.jpg"));

    auto empty = saveJpeg(dir.filePath("empty"), QImage());
    ASSERT_TRUE(std::holds_alternative<FileError>(empty));
    EXPECT_FALSE(QFile::exists(dir.filePath("empty.jpg")));

    // libjpeg refuses pictures wider than 65500 pixels: its error must come back as a message.
    auto tooWide = encodeJpeg(QImage(70000, 1, QImage::Format_RGB888));
    ASSERT_TRUE(std::holds_alternative<FileError>(tooWide));
    EXPECT_TRUE(std::get<FileError>(tooWide).message.startsWith("JPEG encoding failed: "));
}

} // namespace
} // namespace tolvane
