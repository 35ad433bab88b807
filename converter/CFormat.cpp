#include "CFormat.h"

#include <cstring>

namespace tarnex {

namespace {

__extension__ typedef unsigned __int128 Uint128;

// "00" to "99": two digits per division.
constexpr char kDigitPairs[201] = "0001020304050607080910111213141516171819"
                                  "2021222324252627282930313233343536373839"
                                  "4041424344454647484950515253545556575859"
                                  "6061626364656667686970717273747576777879"
                                  "8081828384858687888990919293949596979899";

// The number of decimal digits of value: most values in a row have one to four.
unsigned digitCount(uint64_t value)
{
    unsigned count = 1;
    for (;;) {
        if (value < 10) {
            return count;
        }
        if (value < 100) {
            return count + 1;
        }
        if (value < 1000) {
            return count + 2;
        }
        if (value < 10000) {
            return count + 3;
        }
        value /= 10000;
        count += 4;
    }
}

// Writes the digits in place from the end back: no copy through a scratch buffer, whose
// variable length would cost a memcpy call per field.
char* formatUnsigned(char* out, uint64_t value)
{
    char* const end = out + digitCount(value);
    char* p = end;
    while (value >= 100) {
        const unsigned pair = static_cast<unsigned>(value % 100) * 2;
        value /= 100;
        *--p = kDigitPairs[pair + 1];
        *--p = kDigitPairs[pair];
    }
    if (value >= 10) {
        const unsigned pair = static_cast<unsigned>(value) * 2;
        *--p = kDigitPairs[pair + 1];
        *--p = kDigitPairs[pair];
    } else {
        *--p = static_cast<char>('0' + value);
    }
    return end;
}

char* formatUnsigned128(char* out, Uint128 value)
{
    char digits[40];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + static_cast<int>(value % 10));
        value /= 10;
    } while (value != 0);
    while (count > 0) {
        *out++ = digits[--count];
    }
    return out;
}

// ".dddddd" for fraction < 10^6.
char* formatSixDecimals(char* out, uint32_t fraction)
{
    const uint32_t high = fraction / 10000;
    const uint32_t rest = fraction % 10000;
    const uint32_t middle = rest / 100;
    const uint32_t low = rest % 100;
    out[0] = '.';
    std::memcpy(out + 1, kDigitPairs + size_t{2} * high, 2);
    std::memcpy(out + 3, kDigitPairs + size_t{2} * middle, 2);
    std::memcpy(out + 5, kDigitPairs + size_t{2} * low, 2);
    return out + 7;
}

} // namespace

char* formatFixed(char* out, float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const bool negative = (bits >> 31) != 0;
    const uint32_t exponentField = (bits >> 23) & 0xFF;
    const uint32_t fractionField = bits & 0x7FFFFF;

    if (exponentField == 0xFF) {
        return appendText(out, fractionField != 0 ? (negative ? "-nan" : "nan")
                                                  : (negative ? "-inf" : "inf"));
    }
    if (negative) {
        *out++ = '-';
    }

    // |value| = mantissa * 2^exponent exactly.
    const uint64_t mantissa = exponentField == 0 ? fractionField : (fractionField | 0x800000u);
    const int exponent = exponentField == 0 ? -149 : static_cast<int>(exponentField) - 150;

    if (exponent >= 0) {
        // A whole number; up to 2^128, so 128-bit digits.
        out = formatUnsigned128(out, static_cast<Uint128>(mantissa) << exponent);
        return formatSixDecimals(out, 0);
    }

    // value * 10^6 = mantissa * 10^6 / 2^shift, rounded to nearest, ties to even.
    // mantissa * 10^6 < 2^44, so for a shift of 45 or more the result rounds to 0.
    const int shift = -exponent;
    uint64_t scaled = 0;
    if (shift < 64) {
        const uint64_t product = mantissa * 1000000u;
        scaled = product >> shift;
        const uint64_t remainder = product & ((uint64_t{1} << shift) - 1);
        const uint64_t half = uint64_t{1} << (shift - 1);
        if (remainder > half || (remainder == half && (scaled & 1) != 0)) {
            ++scaled;
        }
    }
    out = formatUnsigned(out, scaled / 1000000u);
    return formatSixDecimals(out, static_cast<uint32_t>(scaled % 1000000u));
}

char* formatSigned(char* out, int64_t value)
{
    uint64_t magnitude = static_cast<uint64_t>(value);
    if (value < 0) {
        *out++ = '-';
        magnitude = 0 - magnitude;
    }
    return formatUnsigned(out, magnitude);
}

} // namespace tarnex
