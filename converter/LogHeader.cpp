#include "LogHeader.h"

#include "Bytes.h"
#include "LogInput.h"

namespace tarnex {

LogHeader LogHeader::read(LogInput& input)
{
    uint8_t bytes[10];
    input.readPadded(0, bytes, sizeof bytes);
    return fromBytes(bytes);
}

LogHeader LogHeader::fromBytes(const uint8_t bytes[10])
{
    LogHeader header;
    header.formatWord = loadI16(bytes);
    header.version = loadI16(bytes + 2);
    header.blockSize = loadI16(bytes + 4);
    header.debugWord = loadU32(bytes + 6);
    return header;
}

LogKind LogHeader::kind() const
{
    if (formatWord > 100) {
        return LogKind::VeryOldSlg;
    }
    if (formatWord <= 1) {
        return LogKind::Slg;
    }
    return LogKind::Sl2;
}

} // namespace tarnex
