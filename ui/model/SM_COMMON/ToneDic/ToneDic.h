#pragma once

// The dictionary form of a user tone setting, the payload of a "Set_User_Gamma" request: the
// table's number, each channel's curve points ("Spline") and the tone values ("ToneParam"). The
// user interface writes it for each distinct tone setting of a scan; the scan module reads it
// and builds the tables from it with the same mathematics the adjustment graphs draw with.
//
// Keys: "UserGammaNumber" (int); "Spline": "Master", "Red", "Green", "Blue", each {"PointNum":
// int, "UserCurvePoint": [{"h": int, "v": int}, ...]}; "ToneParam": "Brightness", "Contrast"
// (four ints, 128 neutral), "Shadow", "Middle", "Hilight", "GrayPoint" (four ints), "Gamma" (four
// doubles: the monitor gamma, then 1.0 for red, green and blue). Channel order: master, red,
// green, blue.

#include <cstdint>
#include <optional>

#include "foundation/Value.h"
#include "ui/model/SM_COMMON/TagPoint.h"
#include "ui/model/SM_COMMON/ToneCurve.h"

struct UserToneSetting {
  std::int32_t UserGammaNumber;
  std::int32_t PointNum[4];
  TagPoint UserCurvePoint[4][kToneMaxPoints];
  std::uint32_t Brightness[4];
  std::uint32_t Contrast[4];
  std::uint32_t Shadow[4];
  std::uint32_t Middle[4];
  std::uint32_t Hilight[4];
  std::uint32_t GrayPoint[4];
  double Gamma[4];
};

extern "C" {

// The neutral setting: straight curves, brightness and contrast 128, black 0, middle 128,
// white 255, gray 128, every gamma 1.0; number 0.
void UIM_Neutral_UserToneSetting(UserToneSetting* setting);

}  // extern "C"

std::optional<fnd::Dictionary> UIM_CreateDictionary_UserToneSetting(const UserToneSetting* setting);

// Fills `setting` from `dict`. A key that is missing or of the wrong kind keeps the neutral value
// (a missing curve is straight); a point count outside 0..15 is cut to the points there are, at
// most 15; tone values are pulled into 0..255 and a gamma that is not a positive number reads as
// 1.0. Answers 0, or -1 for a null argument or a dictionary with neither "Spline" nor
// "ToneParam" (nothing to build a table from; `setting` is then neutral).
int UIM_GetDictionary_UserToneSetting(const fnd::Dictionary* dict, UserToneSetting* setting);

extern "C" {

// The three curves of a setting as the final-review graph draws them: each channel's points
// through the spline (SplineCalc), then MakeFinalToneCurve, with `masterGamma` in place of the
// setting's own Gamma[0] (the caller decides what the monitor gamma means for its pixels).
// 256 byte entries each. Answers 0, or -1 for a null argument.
int UIM_MakeUserToneTables(const UserToneSetting* setting, double masterGamma, std::uint8_t* red,
                           std::uint8_t* green, std::uint8_t* blue);
// The same for 16-bit samples: 65536 entries each, curves through SplineCalc16.
int UIM_MakeUserToneTables16(const UserToneSetting* setting, double masterGamma, std::uint16_t* red,
                             std::uint16_t* green, std::uint16_t* blue);

}  // extern "C"
