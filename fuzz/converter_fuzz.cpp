// Runs both modes of the converter on arbitrary bytes taken as a whole log: verification and
// conversion, with the console and the text output formatted and dropped.
#include "LogInput.h"
#include "Sink.h"
#include "Tarnex.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    {
        auto input = tarnex::LogInput::fromMemory(data, size);
        tarnex::NullSink console;
        tarnex::verifyLog(*input, console);
    }
    {
        auto input = tarnex::LogInput::fromMemory(data, size);
        tarnex::NullSink console;
        tarnex::NullSink csv;
        tarnex::convertLog(*input, csv, console);
    }
    return 0;
}
