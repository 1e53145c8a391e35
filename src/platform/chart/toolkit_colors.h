#pragma once
// The toolkit's colour names ("clRed", "clAqua", ...) that the selection, the settings and the
// chart exchange, and their colours. Colours without a name travel as "$00BBGGRR" hexadecimal
// text (blue in the high byte), the form the colour dialog has always written.
#include <QColor>
#include <QString>

#include <optional>

namespace tolvane {

// "clRed" -> red; case is ignored as the toolkit ignores it ("ClBlack" is black). "$0000FF00"
// and plain decimal numbers are read as BBGGRR values. Anything else gives no colour.
std::optional<QColor> colorFromName(const QString& name);

// The name when the colour has one ("clSilver"), else "$00BBGGRR" in upper-case hexadecimal.
QString colorToName(const QColor& color);

} // namespace tolvane
