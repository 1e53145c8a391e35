#include "platform/jpeg/jpeg_writer.h"

#include <QFileInfo>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
// jpeglib.h uses FILE and size_t without including their headers.
#include <jpeglib.h>

namespace tolvane {

namespace {

// libjpeg's default error handler exits the process; ours jumps back to the encoder with the text.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void jumpOnError(j_common_ptr info)
{
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

// Warnings (corrupt-data notices) mean nothing to an encoder fed from memory; keep stderr quiet.
void ignoreMessage(j_common_ptr) {}

// Plain C-style encoder: nothing with a destructor lives in this frame, so longjmp out of libjpeg
// is safe. Returns false with the libjpeg message on failure; *output is malloc'ed by libjpeg.
bool compressRgb(const QImage& rgb, unsigned char** output, unsigned long* outputSize, char* message)
{
    jpeg_compress_struct info;
    std::memset(&info, 0, sizeof info); // lets jpeg_destroy_compress run even if create failed
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = jumpOnError;
    errors.base.output_message = ignoreMessage;
    errors.message[0] = '\0';
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        std::strncpy(message, errors.message, JMSG_LENGTH_MAX);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, output, outputSize);
    info.image_width = static_cast<JDIMENSION>(rgb.width());
    info.image_height = static_cast<JDIMENSION>(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE); // TRUE: baseline-compatible quantisation tables
    info.write_JFIF_header = TRUE;
    info.density_unit = 0; // no unit: the densities give the pixel aspect ratio only
    info.X_density = 1;
    info.Y_density = 1;
    // Full-resolution colour: the graph is thin one-pixel curves in pure colours on black, which
    // halved chroma would smear and dim. Still a baseline frame.
    for (int c = 0; c < info.num_components; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    info.dct_method = JDCT_ISLOW;
    info.optimize_coding = FALSE;
    info.smoothing_factor = 0;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        // libjpeg's API is not const-correct; it only reads the row.
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

QString jpegFileName(const QString& chosenName)
{
    // Any dot in the file name part counts as an extension, as in the file dialogs of the program.
    if (QFileInfo(chosenName).fileName().contains(QLatin1Char('.')))
        return chosenName;
    return chosenName + QStringLiteral(".jpg");
}

std::variant<QByteArray, FileError> encodeJpeg(const QImage& image)
{
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        return FileError{QStringLiteral("Cannot encode an empty picture as JPEG.")};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    unsigned char* output = nullptr;
    unsigned long outputSize = 0;
    char message[JMSG_LENGTH_MAX] = {};
    const bool ok = compressRgb(rgb, &output, &outputSize, message);
    QByteArray bytes;
    if (ok)
        bytes = QByteArray(reinterpret_cast<const char*>(output), static_cast<qsizetype>(outputSize));
    std::free(output);
    if (!ok)
        return FileError{QStringLiteral("JPEG encoding failed: %1").arg(QString::fromLocal8Bit(message))};
    return bytes;
}

std::variant<QString, FileError> saveJpeg(const QString& chosenName, const QImage& image)
{
    const QString path = jpegFileName(chosenName);
    auto encoded = encodeJpeg(image);
    if (auto* error = std::get_if<FileError>(&encoded))
        return *error;
    if (auto error = writeFileAtomically(path, std::get<QByteArray>(encoded)))
        return *error;
    return path;
}

} // namespace tolvane
