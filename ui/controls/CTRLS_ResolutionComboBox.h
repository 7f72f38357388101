#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "ui/controls/CTRLS_PopupButton.h"
#include "ui/controls/NumberField.h"

// The resolution entry: a number field to type into and, beside it, the pop-up shown as an
// arrow only, whose menu offers the resolutions that suit the source. The owner hands the
// lists over once; each menu build takes its own list, or filters a more general one.
class Quirel_CTRLS_ResolutionComboBox : public Quirel_CTRLS_PopupButton {
 public:
  static constexpr const char* kPopupPost = "AdvResolusionPopupPost";
  static constexpr const char* kChangePost = "AdvResolusionChangePost";
  Quirel_CTRLS_ResolutionComboBox();

  Quirel_NumberField* getNumberTxtF() const { return mNumberTxtF.get(); }
  void setNumberTxtFRect(double x, double y, double width, double height) {
    mNumberTxtF->setFrame(fnd::Rect(x, y, width, height));
  }
  fnd::Rect getNumberTxtFRect() const { return rectOf(mNumberTxtF.get()); }
  kit::TextField* getUnitTxt() const { return mUnitTxt.get(); }
  void setUnitTxtTitle(const std::string& title) { mUnitTxt->setStringValue(title); }
  void setUnitTxtRect(double x, double y, double width, double height) {
    mUnitTxt->setFrame(fnd::Rect(x, y, width, height));
  }
  fnd::Rect getUnitTxtRect() const { return rectOf(mUnitTxt.get()); }

  // A null unit is ignored; until one is set the titles carry an empty unit.
  void setUnitString(const char* unit);
  void setPlatenMaxResolusion(int value) { mPlatenMaxResolusion = value; }
  void setVerion12MFP(bool on) { mVer12MFP = on; }
  // An empty list leaves the list unset.
  void setAllMenuNumList(const std::vector<int>& values) { setList(mAllMenuNumList, values); }
  void setPlatenMenuNumList(const std::vector<int>& values) { setList(mPlatenMenuNumList, values); }
  void setMultiCropMenuNumList(const std::vector<int>& values) { setList(mMultiCropMenuNumList, values); }
  void setFilmMenuNumList(const std::vector<int>& values) { setList(mFilmMenuNumList, values); }
  void setADFMenuNumList(const std::vector<int>& values) { setList(mADFMenuNumList, values); }

  void setPlatenModeMenu();
  void setMultiCropMenu();
  void setFilmModeMenu();
  void setADFModeMenu();
  bool isPlatenModeMenu() const { return mPlatenMode; }
  bool isMultiCropMenu() const { return mMultiCropMode; }
  bool isFilmModeMenu() const { return mFilmMode; }
  bool isADFModeMenu() const { return mADFMode; }

  void setIntValue(int value) { mNumberTxtF->setIntValue(value); }
  int getIntValue() const { return mNumberTxtF->intValue(); }
  void setStringValue(const char* text) {
    if (text) mNumberTxtF->setStringValue(text);
  }
  std::string getStringValue() const { return mNumberTxtF->stringValue(); }
  void setEnabled(bool enabled);

  void PopupBTAction();
  void TextFiledAction();

 private:
  using NumList = std::optional<std::vector<int>>;
  enum class Mode { Platen, MultiCrop, Film, ADF };
  static void setList(NumList& list, const std::vector<int>& values);
  // The first list that is set among the given ones; null when none is.
  static const std::vector<int>* firstSet(std::initializer_list<const NumList*> lists);
  void build(Mode mode, const std::vector<int>* values, int upTo, const std::vector<int>& ladder, int from);

  std::unique_ptr<Quirel_NumberField> mNumberTxtF;
  std::unique_ptr<kit::TextField> mUnitTxt;
  std::string mUnitString;
  NumList mAllMenuNumList;
  NumList mPlatenMenuNumList;
  NumList mMultiCropMenuNumList;
  NumList mFilmMenuNumList;
  NumList mADFMenuNumList;
  bool mPlatenMode = false;
  bool mMultiCropMode = false;
  bool mFilmMode = false;
  bool mADFMode = false;
  int mPlatenMaxResolusion = 1200;
  bool mVer12MFP = false;
};
