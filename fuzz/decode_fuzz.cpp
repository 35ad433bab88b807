// FileDecompress and FileDecode as the reader drives them, on arbitrary sizes. Input: a
// little-endian int32 length (the samples per sounding), then one very old record. The record
// is copied to a buffer of exactly its size, so any read past it shows under the sanitizer.
#include <vantrel/vantrel.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Coefficient counts past this only cost time; the code paths are the same.
constexpr int32_t kLargestLength = 1 << 13;

int32_t sampleAreaOffset(const std::vector<uint8_t>& record)
{
    std::vector<uint8_t> padded(std::max<size_t>(record.size(), 201), 0);
    std::copy(record.begin(), record.end(), padded.begin());
    float f[20];
    uint8_t flags[12];
    int32_t i[3];
    int16_t fishCount;
    const int32_t length =
        FileReadSubHeader(padded.data(), &f[0], &f[1], &f[2], &flags[0], &flags[1], &f[3],
                          &flags[2], &f[4], &flags[3], &f[5], &flags[4], &f[6], &flags[5], &i[0],
                          &i[1], &fishCount, &f[7], &f[14], &flags[6], &f[15], &flags[7], &flags[8],
                          &flags[9], &i[2], &flags[10], &f[16], &f[17], &flags[11], &f[18]);
    // A malformed or overlong sub-header leaves no sample area the reader would use; unpack
    // from the start instead so the bytes still get exercised.
    if (length < 0 || static_cast<size_t>(length) > record.size()) {
        return 0;
    }
    return length;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    uint8_t lengthBytes[4] = {0, 0, 0, 0};
    if (size > 0) {
        std::memcpy(lengthBytes, data, std::min<size_t>(size, 4));
    }
    int32_t length = static_cast<int32_t>(static_cast<uint32_t>(lengthBytes[0]) |
                                          (static_cast<uint32_t>(lengthBytes[1]) << 8) |
                                          (static_cast<uint32_t>(lengthBytes[2]) << 16) |
                                          (static_cast<uint32_t>(lengthBytes[3]) << 24));
    length = std::min(length, kLargestLength);
    const std::vector<uint8_t> record =
        size > 4 ? std::vector<uint8_t>(data + 4, data + size) : std::vector<uint8_t>();
    const int32_t offset = sampleAreaOffset(record);
    const int32_t available = static_cast<int32_t>(record.size()) - offset;

    // Raw mode, into a separate buffer and onto the record itself.
    {
        std::vector<uint8_t> dst(record.size());
        int32_t remaining = 0;
        FileDecompress(record.data(), offset, available, dst.data(), &remaining);
        if (remaining < 0 || remaining > std::max(available - 2, 0)) {
            __builtin_trap();
        }
        std::vector<uint8_t> inPlace = record;
        remaining = 0;
        FileDecompress(inPlace.data(), offset, available, inPlace.data(), &remaining);
    }

    // Coded mode and decoding, with whatever length came in.
    const size_t count = static_cast<size_t>(std::max(length, 1));
    std::vector<int32_t> coefficients(count, 0x5A5A5A5A);
    int32_t remaining = length;
    if (remaining != 0) {
        FileDecompress(record.data(), offset, available, coefficients.data(), &remaining);
        if (length > 0 && (remaining < 0 || remaining > length)) {
            __builtin_trap();
        }
        if (length < 0 && remaining != length) {
            __builtin_trap();
        }
    }
    std::vector<uint8_t> samples(count, 0xEE);
    FileDecode(coefficients.data(), samples.data(), length);
    if (length <= 0 || length % 1024 != 0) {
        // Such a length decodes nothing.
        if (std::any_of(samples.begin(), samples.end(), [](uint8_t s) { return s != 0xEE; })) {
            __builtin_trap();
        }
    }
    return 0;
}
