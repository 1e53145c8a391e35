#pragma once
// JPEG export of the graph: baseline JFIF at quality 100 with square pixels, encoded by libjpeg.
#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>
#include <variant>

#include "core/common/text_file.h"

namespace tolvane {

// The name the export really writes: ".jpg" is appended when the chosen file name has no
// extension; a name with any other extension keeps it (and still receives JPEG data).
QString jpegFileName(const QString& chosenName);

// Encodes the picture as baseline JFIF: quality 100, pixel aspect 1:1, accurate integer DCT,
// no optimised Huffman tables, no smoothing. An empty picture or a libjpeg failure gives a message.
std::variant<QByteArray, FileError> encodeJpeg(const QImage& image);

// Encodes and writes atomically to jpegFileName(chosenName); returns the path written.
std::variant<QString, FileError> saveJpeg(const QString& chosenName, const QImage& image);

} // namespace tolvane
