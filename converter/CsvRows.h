// The two comma-separated layouts of the converter: header lines and rows, built in place in a
// Sink with the C conversions of CFormat.h.
#pragma once

#include <cstdint>

namespace tarnex {

class Sink;
struct SlgSubHeader;

// The header lines of the two layouts, line feed included.
inline constexpr char kSlgHeaderLine[] =
    "UpperLimit,LowerLimit,DepthValid,Depth,WaterTempValid,WaterTemp,Temp2Valid,Temp2,"
    "Temp3Valid,Temp3,WaterSpeedValid,WaterSpeed,PositionValid,PositionX,PositionY,"
    "SurfaceDepth,SurfaceValid,TopOfBottomDepth,TopOfBottomValid,ColumnIs50kHz,TimeValid,"
    "TimeOffset[ms],SpeedTrackValid,Speed,Track,AltitudeValid,Altitude\n";

inline constexpr char kSl2HeaderLine[] =
    "Channel,Frequency,UpperLimit[ft],LowerLimit[ft],DepthValid,Depth[ft],WaterTempValid,"
    "WaterTemp[C],WaterSpeedValid,WaterSpeed[kn],PositionValid,PositionX,PositionY,"
    "TimeOffset[ms],SpeedValid,Speed[kn],TrackValid,Track[rad],AltitudeValid,Altitude[ft],"
    "HeadingValid,Heading[rad]\n";

// Converter names of SL2 channel codes 0 to 11 ("Invalid" for 6 to 9); nullptr above 11.
const char* channelName(unsigned code);
// Frequency names of codes 0 to 10; nullptr for 11 and above.
const char* frequencyName(unsigned code);

// One SLG row (27 fields) of a parsed sub-header.
void writeSlgRow(Sink& out, const SlgSubHeader& header);

// One SL2 row (22 fields) of a 144-byte column header; frequency is the code to name (the
// caller has replaced an invalid code by 0). The channel code must be 0 to 11.
void writeSl2Row(Sink& out, const uint8_t* columnHeader, unsigned frequency);

} // namespace tarnex
