#include "platform/chart/toolkit_colors.h"

#include <array>

#include "core/common/number_text.h"

namespace tolvane {

namespace {

struct NamedColor {
    const char* name;
    QRgb rgb;
};

// The sixteen standard colours and the four extra ones of the toolkit, in its own order (a
// colour is named after its first entry).
constexpr std::array<NamedColor, 20> namedColors{{
    {"clBlack", 0x000000},      {"clMaroon", 0x800000},  {"clGreen", 0x008000}, {"clOlive", 0x808000},
    {"clNavy", 0x000080},       {"clPurple", 0x800080},  {"clTeal", 0x008080},  {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},     {"clRed", 0xFF0000},     {"clLime", 0x00FF00},  {"clYellow", 0xFFFF00},
    {"clBlue", 0x0000FF},       {"clFuchsia", 0xFF00FF}, {"clAqua", 0x00FFFF},  {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xA6CAF0}, {"clCream", 0xFFFBF0}, {"clMedGray", 0xA4A0A0},
}};

} // namespace

std::optional<QColor> colorFromName(const QString& name)
{
    const QString text = name.trimmed();
    for (const NamedColor& c : namedColors) {
        if (text.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return QColor::fromRgb(c.rgb);
    }
    // Numeric colours hold blue in bits 16-23 and red in bits 0-7; a non-zero top byte marks the
    // toolkit's system colours, which have no fixed value here.
    const std::optional<std::int64_t> value = parseInt(text);
    if (!value || *value < 0 || *value > 0xFFFFFF)
        return std::nullopt;
    const auto bgr = static_cast<quint32>(*value);
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

QString colorToName(const QColor& color)
{
    const QRgb rgb = color.rgb() & 0xFFFFFF;
    for (const NamedColor& c : namedColors) {
        if (c.rgb == rgb)
            return QLatin1String(c.name);
    }
    const quint32 bgr = quint32(color.blue()) << 16 | quint32(color.green()) << 8 | quint32(color.red());
    return QStringLiteral("$%1").arg(bgr, 8, 16, QLatin1Char('0')).toUpper();
}

} // namespace tolvane
