// Hand-written C printf conversions for the rows of the text file. snprintf spends most of a
// conversion's time parsing its format; these write the same characters glibc does.
#pragma once

#include <cstdint>

namespace tarnex {

// C "%f" of value widened to double: sign, integer digits, '.', six decimals rounded to
// nearest with ties to even (exact, as glibc), "nan"/"-nan"/"inf"/"-inf" for non-finite
// values. Writes at most kMaxFixedLength characters at out and returns the end.
char* formatFixed(char* out, float value);
inline constexpr int kMaxFixedLength = 48; // "-" + 39 integer digits + "." + 6 decimals

// C "%li"/"%i": signed decimal. At most 20 characters.
char* formatSigned(char* out, int64_t value);

// Copies a zero-terminated text and returns the end (no terminator written).
inline char* appendText(char* out, const char* text)
{
    while (*text != '\0') {
        *out++ = *text++;
    }
    return out;
}

} // namespace tarnex
