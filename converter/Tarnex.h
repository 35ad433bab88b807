// The converter's entry points. main() calls run(); tests and the fuzzer call the
// same functions with their own inputs and sinks.
//
// Where this converter settles open questions or guards against damaged input:
// - Addresses and file offsets are 64-bit throughout, so logs past 2 GB (and up to the 4 GB
//   that SL2's 32-bit addresses allow) convert and verify.
// - An SLG header with a block size of 0 or less prints "Invalid block size in SLG header: %i\n"
//   and ends with -1 before the header line is written (a loop that read no block would never end).
// - A malformed SLG sub-header (negative fish count) still gives a row: lower limit, depth and
//   every flag letter from its own block; the values after the depth, and the altitude's
//   validity, as the previous row had them (zeros for the first row).
// - A conversion whose text file cannot be written in full (a full disk) prints "Error writing
//   output file\n" and ends with -1 instead of reporting success.
// - The text file is written beside its name and renamed into place when complete, so a full
//   disk or a refused log (a block size of 0) leaves an earlier file of that name untouched;
//   outputs that are not regular files are written directly (see OutputFile).
// - An output that is the log itself (the same file under any name) is refused with "Error
//   opening output file for write": the text would replace the log.
// - An SLG block shorter than its sub-header reads as zeros past the block's end.
// - The SL2 walk ends when the address reaches the file's length (no misalignment report for
//   an end address); bytes a file shorter than 10 bytes lacks read as 0.
#pragma once

#include <string>
#include <vector>

namespace tarnex {

class LogInput;
class Sink;

// Exit status of a finished run and of a refused or failed one.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = -1;

// The whole program: args are the command-line arguments after the program name; messages go
// to console. Returns the exit status (0 or -1).
int run(const std::vector<std::string>& args, Sink& console);

// Verification mode on an open log. Returns 0, or -1 when the log is not SL2.
int verifyLog(LogInput& input, Sink& console);

// Conversion mode on an open log, rows to csv. Returns 0, or -1 for an SLG header whose block
// size is 0 or less (no rows are written).
int convertLog(LogInput& input, Sink& csv, Sink& console);

// Printed for a wrong number of arguments, line break included.
inline constexpr char kUsageText[] =
    "Usage:  Tarnex <SLG/SL2 file> <text output file>\n\nProgram outputs the digital "
    "information stored in the chart in a comma delimted text file. Each column consists of a "
    "line of information containing:\n\nUpperLimit,LowerLimit,DepthValid,Depth,WaterTempValid,"
    "WaterTemp,Temp2Valid,Temp2,Temp3Valid,Temp3,WaterSpeedValid,WaterSpeed,PositionValid,"
    "PositionX,PositionY,SurfaceDepth,SurfaceValid,TopOfBottomDepth,TopOfBottomValid,"
    "ColumnIs50kHz,TimeValid,TimeOffset[ms],SpeedTrackValid,Speed,Track,AltitudeValid,"
    "Altitude\n\nWhere temperatures are in Celcius, depths are in feet, position is in\n"
    "mercator meters, speed is in knots, angles are in radians, and altitude\nis in feet.\n";

} // namespace tarnex
