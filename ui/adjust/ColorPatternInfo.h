#pragma once

#include <optional>

#include "kit/Image.h"
#include "ui/model/CropValueGroups.h"

class Quirel_ColorPatternFrameView;
class Quirel_ColorPatternImageView;

// One cell of the colour-pattern dialog: its frame and image views, the rendered copy, the
// fixed colour balance, and for each of the six colour buttons whether it may step from here
// and the index of the cell it steps to. The views belong to the dialog's window; the cell only
// points at them.
class Quirel_ColorPatternInfo {
 public:
  Quirel_ColorPatternInfo() = default;
  Quirel_ColorPatternInfo(const Quirel_ColorPatternInfo&) = delete;
  Quirel_ColorPatternInfo& operator=(const Quirel_ColorPatternInfo&) = delete;

  // A null view is ignored.
  void setFrameView(Quirel_ColorPatternFrameView* view);
  void setImageView(Quirel_ColorPatternImageView* view);
  Quirel_ColorPatternFrameView* getFrameView() const { return mFrameView; }
  Quirel_ColorPatternImageView* getImageView() const { return mImageView; }

  // Keeps the picture with its rotation (degrees) and mirror flag and shows all three.
  void setImage(std::optional<kit::Image> image, int rotation, bool mirror);
  const std::optional<kit::Image>& getImage() const { return mImage; }
  int getRotation() const { return mRotation; }
  bool getMirror() const { return mMirror; }

  void setColorBalance(const ColorBalanceValues& balance) { mColorBalance = balance; }
  ColorBalanceValues getColorBalance() const { return mColorBalance; }

  // Both also mark the frame view.
  void setSelected(bool on);
  bool isSelected() const { return mSelected; }
  void setBased(bool on);
  bool isBased() const { return mBased; }

  void setEnableBtn(bool r, bool g, bool b, bool c, bool m, bool y);
  bool isEnableBtn_R() const { return mEnableBtn_R; }
  bool isEnableBtn_G() const { return mEnableBtn_G; }
  bool isEnableBtn_B() const { return mEnableBtn_B; }
  bool isEnableBtn_C() const { return mEnableBtn_C; }
  bool isEnableBtn_M() const { return mEnableBtn_M; }
  bool isEnableBtn_Y() const { return mEnableBtn_Y; }

  void setNextIndex(int r, int g, int b, int c, int m, int y);
  int nextIndex_R() const { return mNextIndex_R; }
  int nextIndex_G() const { return mNextIndex_G; }
  int nextIndex_B() const { return mNextIndex_B; }
  int nextIndex_C() const { return mNextIndex_C; }
  int nextIndex_M() const { return mNextIndex_M; }
  int nextIndex_Y() const { return mNextIndex_Y; }

 private:
  Quirel_ColorPatternFrameView* mFrameView = nullptr;
  Quirel_ColorPatternImageView* mImageView = nullptr;
  std::optional<kit::Image> mImage;
  int mRotation = 0;
  bool mMirror = false;
  bool mSelected = false;
  bool mBased = false;
  ColorBalanceValues mColorBalance{};
  bool mEnableBtn_R = false, mEnableBtn_G = false, mEnableBtn_B = false;
  bool mEnableBtn_C = false, mEnableBtn_M = false, mEnableBtn_Y = false;
  int mNextIndex_R = 0, mNextIndex_G = 0, mNextIndex_B = 0;
  int mNextIndex_C = 0, mNextIndex_M = 0, mNextIndex_Y = 0;
};
