#include "UserPaletteText.h"

#include "render/tColorScheme.h"

namespace brellix {

namespace {

QString twoHexDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QString userPaletteText(const tColorScheme& scheme)
{
    QString text;
    text.reserve(qsizetype{256} * 20);
    for (int index = 0; index < 256; ++index) {
        const int32_t color = scheme.GetColorValue(1, static_cast<int16_t>(index));
        text += QStringLiteral("0x") + twoHexDigits(color & 0xFF) + QStringLiteral(", 0x") +
                twoHexDigits((color >> 8) & 0xFF) + QStringLiteral(", 0x") +
                twoHexDigits((color >> 16) & 0xFF) + QStringLiteral(",\r\n");
    }
    return text;
}

} // namespace brellix
