// The six fish symbols, smallest first, as pictures the drawing reads pixel by pixel.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace vantrel {

// One fish symbol, kept as its picture: one string per row from the top row down, '.' for a
// transparent pixel and a digit for a palette index (0 outline, 1 to 3 body shading from the
// upper to the lower side). The head points left.
struct FishSymbol
{
    static constexpr uint8_t transparent = 255;

    int16_t width;
    int16_t height;
    std::span<const std::string_view> picture;

    // Palette index of the pixel in row [0, height) and column [0, width), or transparent.
    constexpr uint8_t pixel(int32_t row, int32_t column) const
    {
        const char c = picture[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
        return c == '.' ? transparent : static_cast<uint8_t>(c - '0');
    }
};

inline constexpr int16_t fishSymbolCount = 6;

// The symbol numbered [0, fishSymbolCount), or nullptr for any other number.
const FishSymbol* findFishSymbol(int16_t number);

} // namespace vantrel
