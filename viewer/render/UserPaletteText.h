// The user palette as the Copy command puts it on the clipboard.
#pragma once

#include <QString>

namespace brellix {

class tColorScheme;

// The water column's palette of the scheme as 256 lines "0xRR, 0xGG, 0xBB,\r\n", entry 0 first.
// Throws what tColorScheme::GetColorValue throws for a scheme it cannot blend.
QString userPaletteText(const tColorScheme& scheme);

} // namespace brellix
