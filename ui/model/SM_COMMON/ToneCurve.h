#pragma once

// Tone-curve mathematics exported by the user-interface library: the general tone computation
// (`MakeToneCurve` and its steps), the gamma point list and its interpolator, and the entry points
// that the adjustment dialogs, graphs and the preview model call. Plain C interface; the numbers
// must match what the scan module computes, so the arithmetic (float narrowing, integer
// truncation) is deliberate.
//
// Table sizes: only 256 (8-bit data) and 65536 (16-bit data) entries are accepted by the table
// builders; any other size is refused with -1 and nothing is written.

#include <cstdint>

#include "ui/model/SM_COMMON/ChannelValues.h"

// Channel order of every array of four: master, red, green, blue.
enum : int { kToneMaster = 0, kToneRed = 1, kToneGreen = 2, kToneBlue = 3 };

// Most points a gamma point list or a user tone curve may have.
inline constexpr int kToneMaxPoints = 15;

// Entries of the static table that receives the interpolated dark end of a gamma curve.
inline constexpr std::uint32_t kToneGammaTableSize = 66560;

// Parameter record of `MakeToneCurve`. Points are in table units (0 .. count - 1).
struct ToneCurveParam {
  std::uint32_t count;         // table entries n: 256 or 65536
  std::uint32_t outMax;        // results are multiplied by outMax / n
  std::uint8_t reverse;        // 0 table order, 1 reversed, anything else: output not written
  std::uint32_t shadow[4];     // black point
  std::uint32_t middle[4];     // middle point
  std::uint32_t hilight[4];    // white point
  std::uint32_t grayPoint[4];  // gray point (master unused)
  std::uint8_t brightness[4];  // 128 neutral
  std::uint8_t contrast[4];    // 128 neutral
  std::uint8_t balance[4];     // 128 neutral (master unused)
  float gamma[4];              // 1.0 neutral
};

// One entry of a user-curve or output table.
struct ToneTableEntry {
  std::uint32_t master;
  std::uint32_t red;
  std::uint32_t green;
  std::uint32_t blue;
};

// The gamma point list: `count` points (x[j], y[j]), 2 .. 15 of them.
struct KunekuneData {
  std::int32_t count;
  std::int32_t x[kToneMaxPoints];
  std::int32_t y[kToneMaxPoints];
};

// The tone values a dialog keeps (passed by value). Points are 0..255. The curve tables hold
// bytes when the table size is 256 or less and 16-bit values otherwise; a missing curve is
// taken as the identity.
struct ToneParam {
  std::uint32_t brightness[4];
  std::uint32_t contrast[4];
  double gamma[4];
  std::uint32_t shadow[4];
  std::uint32_t middle[4];
  std::uint32_t hilight[4];
  std::uint32_t grayPoint[4];
  const void* masterCurve;
  const void* redCurve;
  const void* greenCurve;
  const void* blueCurve;
};

extern "C" {

// Builds the red, green and blue columns of `output` (n entries; the master column is left
// alone) from `param`, the user curves in `userCurve` (n entries, each column maps an index to an
// index) and the gamma point list (null: the default list). Returns 0, or -1 when refused (a
// missing record or table, a table size other than 256 or 65536, a point list of fewer than 2
// or more than 15 points, or no memory); nothing is written then.
int MakeToneCurve(const ToneCurveParam* param, const ToneTableEntry* userCurve,
                  ToneTableEntry* output, const KunekuneData* points);

// The steps of `MakeToneCurve`, each in place on a working table of n doubles.
void MakeGammaCurve(double* table, float gamma, std::uint32_t n, const KunekuneData* points);
void AdjustGBToneCurve(double* table, std::uint32_t gray, std::uint32_t average, std::uint32_t n);
void MakeBlackMidWhiteCurve(double* table, std::uint32_t black, std::uint32_t middle,
                            std::uint32_t white, std::uint32_t n, const KunekuneData* points);
void MakeContrastCurve(double* table, std::uint8_t contrast, std::uint32_t n);
void MakeBrightnessCurve(double* table, std::uint8_t brightness, std::uint32_t n);
void MakeBalanceCurve(double* table, std::uint8_t balance, std::uint32_t n);

// Fills `tableSize` entries of `table` from `count` points (x0, y0, x1, y1, ...) given in
// coordinates 0 .. range - 1. Returns 0, or: 16 range < 2, 48 fewer than 2 or more than 15
// points, 64 table size < 2, 32 an x out of range, 33 a y out of range, 34 x values not
// increasing, -1 a missing list or table.
int Calc_Tone_Table_Gamma(int range, std::uint8_t count, const std::int32_t* points,
                          int tableSize, std::uint32_t* table);

// Natural cubic spline through `count` points (2 .. 15, x increasing): `z` receives one sixth of
// the second derivative at each point (zero at both ends).
void maketable_Gamma(int count, const double* x, const double* y, double* z);
// The spline's unrounded value at `t` (outside the points: the end piece extended).
double spline_Gamma(int count, const double* x, const double* y, const double* z, double t);

// Sets the static gamma point list and returns it. `list` holds pairs of 32-bit ints: the first
// pair's first int is the point count k, pairs 1 .. k are (x, y). Null, or a count outside
// 2 .. 15, resets the list to its default: 2 points, both (0, 0).
KunekuneData* TranslateWDParam(const std::int32_t* list);

// The combined curve of all tone settings: three tables of n (256 or 65536) entries.
// Returns 0; -1 when a table is missing or n is refused (nothing written).
int MakeFinalToneCurve(std::int16_t* red, std::int16_t* green, std::int16_t* blue, int n,
                       ToneParam param);
// `MakeFinalToneCurve` at 256 entries into byte tables.
void FinalToneCurve(std::uint8_t* red, std::uint8_t* green, std::uint8_t* blue, ToneParam param);
// One master brightness / contrast / gamma curve of 256 entries.
void CurveFromBCG(std::uint8_t* table, int brightness, int contrast, double gamma);
// One master black / middle / white curve of 256 entries.
void CurveFromBlackMiddleWhiteMaster(std::uint8_t* table, int black, int middle, int white);
// The master black / middle / white points with the four gray points: three curves of 256.
void CurveFromBlackMiddleWhite(std::uint8_t* red, std::uint8_t* green, std::uint8_t* blue,
                               int black, int middle, int white, ChannelValues grayPoint);

}  // extern "C"
