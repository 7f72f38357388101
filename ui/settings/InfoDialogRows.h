#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class Quirel_UIScannerInfo;

// What the scan-information panel shows, without its window: which rows a crop's settings
// call for, and the value text of each numeric setting. Texts are looked up through the
// caller's function (the "UserInterface" table).
class Quirel_InfoDialogRows {
 public:
  // The rows, top to bottom.
  enum Row {
    Interface,
    Source,
    PaperSize,
    FilmSize,
    InputW,
    InputH,
    ColorMode,
    Resolution,
    OutputSize,
    OutputW,
    OutputH,
    OutputScale,
    DataSize,
    AutoTone,
    AutoDocCorrect,
    ColorAdjust,
    CopyGamma,
    Unsharp,
    Descreen,
    ReduceDust,
    RemoveDust,
    ReduceDustFAU,
    Fading,
    Grain,
    BackLight,
    Book,
    Exposure,
    ExposureValue,
    SaveFrameTone,
    SaveCropTone,
    HighQualityMode,
    CalbEveryScan,
    ColorSetting,
    SilentMode,
    NumberCrop,
    kRowCount
  };
  using Shown = std::array<bool, kRowCount>;
  using Lookup = std::function<std::string(const std::string& key)>;

  // What the row choice reads of the focus crop, the preferences and the caller.
  struct Choice {
    int uiMode = 0;    // 0 basic, 1 advanced
    int scanMode = 0;  // 0 platen, 1 platen with thumbnails, 2 film, 3 film with thumbnails, 4 feeder
    bool hasPreview = false;
    bool multiCrop = false;
    int imageSource = 0;
    int colorMode = 0;
    int colorSetting = 0;  // the preferences' colour setting for that colour mode
    int outputSizeNo = 0;
    bool exposure = false;
    bool hideCopyGamma = false;
  };

  // The film layout for scan modes 2 and 3, the platen layout for all others.
  static Shown select(const Choice& c, const Quirel_UIScannerInfo& s);
  static Shown platenRows(const Choice& c, const Quirel_UIScannerInfo& s);
  static Shown filmRows(const Choice& c, const Quirel_UIScannerInfo& s);
  // The label key of a row, by model version.
  static std::string labelKey(Row row, const Quirel_UIScannerInfo& s);

  // `value` cut down to `decimals` places and written with that many. Decimal: the scaled
  // value is nudged by 1e-9 before the floor, so 0.29 stays 0.29.
  static std::string roundDown(double value, int decimals);
  // A length in its unit (0 inches, 1 centimetres, 2 pixels, -1 none); centimetres show as
  // millimetres with one decimal on 1300 and later.
  static std::string lengthText(int unit, double length, bool ver1300Later, const Lookup& lookup);
  static std::string dataSizeText(std::uint64_t bytes, bool ver1600Later, const Lookup& lookup);
  static std::string paperSizeText(int code, const Quirel_UIScannerInfo& s, const Lookup& lookup);
  static std::string colorModeText(int mode, const Lookup& lookup);
  static std::string resolutionText(int dpi, const Lookup& lookup);
  static std::string percentText(int percent, const Lookup& lookup);
  static std::string autoToneText(int value, const Lookup& lookup);
  static std::string colorAdjustText(int value, const Lookup& lookup);
  static std::string onWhenOneText(int value, const Lookup& lookup);  // automatic document correction, descreen
  static std::string copyGammaText(int value, bool racs2, const Lookup& lookup);
  static std::string unsharpText(int value, const Lookup& lookup);
  static std::string levelText(int value, const Lookup& lookup);  // dust, fading, grain, backlight, book
  static std::string flagText(bool on, const Lookup& lookup);
  // Nothing for a code other than 0 or 1: the row keeps its text.
  static std::optional<std::string> offOnText(int value, const Lookup& lookup);
  static std::string colorSettingText(int value, const Lookup& lookup);
  static std::string numberCropText(int count);
};
