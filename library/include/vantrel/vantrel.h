// Vantrel: byte work on sonar logs for the Brellix viewer, as plain C exports.
//
// About the exports
// - Every export is extern "C" with the platform's default calling convention and returns an
//   int32_t: 0, or a length, or -1 where the export's comment says so.
// - Arguments come in a fixed order: input buffers and counts first, then outputs; a buffer
//   changed in place counts as an input. Two exports take the buffer they write first:
//   ColumnCopy (dst, then src) and FishDraw (the bitmap, then where to stamp); FileDecode takes
//   its length after both of its buffers. Integers are 32-bit (int32_t) or 16-bit (int16_t);
//   reals are 32-bit floats.
// - The caller owns and sizes every buffer. The library writes into the caller's memory in
//   place, never keeps a pointer after returning and never allocates memory that outlives a
//   call.
// - Flag outputs are one byte (uint8_t*) written 0 or 1. "Boolean" inputs are int16_t,
//   non-zero meaning true.
// - Only the Process* exports keep state between calls (one processing state per process).
#pragma once

#include <stdint.h>

#if defined(VANTREL_BUILDING)
#define VANTREL_EXPORT __attribute__((visibility("default")))
#else
#define VANTREL_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Parses the SLG sub-header at the start of an SLG sounding record. Returns the sub-header
// length (10 to 74), the offset of the sample area in the block, or -1 when the sub-header is
// malformed (negative fish count); then only the lower limit, depth, flag outputs and the fish
// count have been written. Reads at most 74 bytes of block; fishDepths holds at least 7 entries.
VANTREL_EXPORT int32_t FileReadSubHeader(
    const uint8_t* block, float* upper, float* lower, float* depth, uint8_t* depthValid,
    uint8_t* waterTempValid, float* waterTemp, uint8_t* temp2Valid, float* temp2,
    uint8_t* temp3Valid, float* temp3, uint8_t* waterSpeedValid, float* waterSpeed,
    uint8_t* positionValid, int32_t* positionY, int32_t* positionX, int16_t* fishCount,
    float* fishDepths, float* surfaceDepth, uint8_t* surfaceValid, float* topOfBottom,
    uint8_t* topOfBottomValid, uint8_t* columnIs50kHz, uint8_t* timeValid, int32_t* timeOffset,
    uint8_t* speedTrackValid, float* speed, float* track, uint8_t* altitudeValid, float* altitude);

// FileReadSubHeader with a layout selector: 1 or less reads the SLG sub-header, more than 1
// the fixed 124-byte layout (and returns 124). The first and the last 17 arguments are unused.
VANTREL_EXPORT int32_t FileReadSubHeader2(
    int32_t unused, int32_t selector, const uint8_t* block, float* upper, float* lower,
    float* depth, uint8_t* depthValid, uint8_t* waterTempValid, float* waterTemp,
    uint8_t* temp2Valid, float* temp2, uint8_t* temp3Valid, float* temp3, uint8_t* waterSpeedValid,
    float* waterSpeed, uint8_t* positionValid, int32_t* positionY, int32_t* positionX,
    int16_t* fishCount, float* fishDepths, float* surfaceDepth, uint8_t* surfaceValid,
    float* topOfBottom, uint8_t* topOfBottomValid, uint8_t* columnIs50kHz, uint8_t* timeValid,
    int32_t* timeOffset, uint8_t* speedTrackValid, float* speed, float* track,
    uint8_t* altitudeValid, float* altitude, void* unused1, void* unused2, void* unused3,
    void* unused4, void* unused5, void* unused6, void* unused7, void* unused8, void* unused9,
    void* unused10, void* unused11, void* unused12, void* unused13, void* unused14, void* unused15,
    void* unused16, void* unused17);

// Unpacks the sample area that starts at block + offset and runs for available bytes.
// *remaining 0 (SLG): moves the i16 count N and N sample bytes to destination (which may be the
// block itself) and sets *remaining to the number moved: N, fewer if the area ends first, 0 for
// a negative N. *remaining above 0 (very old): writes exactly *remaining 32-bit coefficients,
// zero-filled where the codes end, and counts *remaining down by what the codes gave; a
// negative *remaining writes nothing. Never reads past the area. Returns 0.
VANTREL_EXPORT int32_t FileDecompress(const uint8_t* block, int32_t offset, int32_t available,
                                      void* destination, int32_t* remaining);

// Reconstructs length samples of a very old sounding from its wavelet coefficients. length is
// a positive multiple of 1024; otherwise nothing is written.
VANTREL_EXPORT int32_t FileDecode(int32_t* coefficients, uint8_t* samples, int32_t length);

// Resamples src[srcStart, srcStart + srcCount) onto dst[dstStart, dstStart + dstCount):
// shrinking keeps each group's peak, enlarging repeats cells. A count of 0 or below writes
// nothing. Returns 0.
VANTREL_EXPORT int32_t ColumnScale(int32_t srcStart, int32_t srcCount, const uint8_t* src,
                                   int32_t dstStart, int32_t dstCount, uint8_t* dst);

// Turns column[0, count) into palette indexes through the three section tables (256 entries
// each: no-echo, black line, gradient), with a black line of widths[section] cells at the start
// of every echo. clearToBottom fills the cells above bottomIndex with table1[0] and converts
// only from there. Never steps past the third section. Returns 0.
VANTREL_EXPORT int32_t ColumnConvert(uint8_t* column, int32_t count, int16_t threshold,
                                     const int16_t* widths, int32_t surfaceIndex,
                                     int32_t bottomIndex, int16_t clearToBottom,
                                     const uint8_t* table0, const uint8_t* table1,
                                     const uint8_t* table2);

// Writes src[n], src[n - 1], ..., src[0] to dst, dst + step, dst + 2 * step, ... (n + 1 bytes,
// in that order); n below 0 writes nothing. Returns 0.
VANTREL_EXPORT int32_t ColumnCopy(uint8_t* dst, const uint8_t* src, int32_t step, int32_t n);

// The Process* exports share one processing state per process, all zero when the library is
// loaded; calls must come from one thread at a time. Columns are intensities 0 to 255; a count
// above 10000 processes the first 10000 cells, a count of 0 or below changes nothing.

// Selects the surface clarity (0 Off, 1 Low, 2 Medium, 3 High; any other value acts as Off) and
// restarts the clutter averages and the correlation history at their next use. The scale and
// the limits are accepted and not used.
VANTREL_EXPORT int32_t ProcessSetup(float feetPerPixel, float upperLimit, float lowerLimit,
                                    int16_t surfaceClarity);

// Removes steady surface clutter in place from column[0, count): from the top down to 20, 40 or
// 60 cells below surfaceCellIndex each cell loses its running average, fading out with depth.
// Updates the running averages of every cell, except with clarity Off.
VANTREL_EXPORT int32_t ProcessRemoveSurfaceClutter(uint8_t* column, int32_t count,
                                                   int32_t surfaceCellIndex);

// Records column[0, count) in the history and lowers each cell in place to its minimum over the
// last level + 1 columns (at most the last four); level 0 or below leaves the column as it is.
VANTREL_EXPORT int32_t ProcessHorizontalCorrelation(uint8_t* column, int32_t count, int16_t level,
                                                    int32_t unused);

// Has no effect; kept for the viewer's call sequence.
VANTREL_EXPORT int32_t ProcessRecombination(void);

// Stamps fish symbol number symbol (0 to 5, growing in size) into an 8-bit bitmap of rowCount
// rows of rowLength bytes stored bottom row first: x is the column of the symbol's centre, y the
// row of its top counted from the top of the bitmap. The symbols use palette indexes 0 to 3 and
// leave their transparent pixels alone; pixels outside the bitmap are skipped, and any other
// symbol number draws nothing.
VANTREL_EXPORT int32_t FishDraw(uint8_t* pixels, int32_t rowLength, int32_t rowCount, int32_t x,
                                int32_t y, int16_t symbol);

#ifdef __cplusplus
}
#endif
