#pragma once

#include <string>
#include <vector>

#include "foundation/Value.h"
#include "ui/model/CropValueGroups.h"

// One named tone setting: the adjustment values a user stored under a name of their own, for
// colour and greyscale scans (colour balance, brightness and contrast, histogram points, tone
// curve) or for black-and-white scans (threshold). All of them live in "Tone.xml" in the
// settings folder, a property-list array of the records' dictionaries, black-and-white
// records first.
class Quirel_ToneSetting {
 public:
  static constexpr const char* kFileName = "Tone.xml";
  static constexpr int kDefaultThreshold = 72;

  // Record defaults, no name, index 0, colour mode 0.
  Quirel_ToneSetting();
  Quirel_ToneSetting(int index, const std::string& name, int colorMode);
  // From one element of "Tone.xml". A missing key or position takes the record default, and
  // every value is kept within its range, so a damaged or foreign file gives a usable record.
  explicit Quirel_ToneSetting(const fnd::Dictionary& dictionary);

  fnd::Dictionary getDictionary() const;
  void setValue(int index, const std::string& name, int colorMode);

  int getIndex() const { return mIndex; }
  void setName(const std::string& name) { mName = name; }
  const std::string& getName() const { return mName; }
  void setColorMode(int mode) { mColorMode = mode; }
  int getColorMode() const { return mColorMode; }
  void setColorBalance(const ColorBalanceValues& v) { mColorBalance = v; }
  ColorBalanceValues getColorBalance() const { return mColorBalance; }
  void setToneBC(const ToneBCValues& v) { mToneBC = v; }
  ToneBCValues getToneBC() const { return mToneBC; }
  void setHistogram(const HistogramValues& v) { mHistogram = v; }
  HistogramValues getHistogram() const { return mHistogram; }
  void setToneCurve(const ToneCurveValues& v) { mToneCurve = v; }
  const ToneCurveValues& getToneCurve() const { return mToneCurve; }
  void setThreshold(int v) { mThreshold = v; }
  int getThreshold() const { return mThreshold; }

  bool operator==(const Quirel_ToneSetting& other) const;

  // The folder and "Tone.xml" joined by one "/"; a leading "~" stands for the home folder.
  static std::string filePath(const std::string& folder);

  // What the file holds, split the way the tone-settings dialog shows it.
  struct FileContents {
    std::vector<Quirel_ToneSetting> threshold;  // colour mode 0, in file order
    std::vector<Quirel_ToneSetting> color;      // any other colour mode, in file order
    fnd::Array others;                          // elements that are no dictionaries, as read
    bool unreadable = false;                    // there is a file, but no property-list array
  };
  // A missing file gives empty lists and is not unreadable.
  static FileContents readFromFolder(const std::string& folder);
  // The records alone, in file order (what the advanced mode's menu reads).
  static std::vector<Quirel_ToneSetting> readAll(const std::string& folder);
  // Black-and-white records, colour records, then the others, written atomically; an
  // unreadable file is first kept as "Tone.xml.unreadable". False, the reason in *error, when
  // the file cannot be written; the old one then stays whole.
  static bool writeToFolder(const std::string& folder, const std::vector<Quirel_ToneSetting>& threshold,
                            const std::vector<Quirel_ToneSetting>& color, const fnd::Array& others,
                            bool setAsideUnreadable, std::string* error = nullptr);

 private:
  void initData();

  int mIndex = 0;
  std::string mName;
  int mColorMode = 0;
  ColorBalanceValues mColorBalance{};
  ToneBCValues mToneBC{};
  HistogramValues mHistogram{};
  ToneCurveValues mToneCurve{};
  int mThreshold = kDefaultThreshold;
};
