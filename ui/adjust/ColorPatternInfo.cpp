#include "ui/adjust/ColorPatternInfo.h"

#include "ui/controls/ColorPatternFrameView.h"
#include "ui/controls/ColorPatternImageView.h"

void Quirel_ColorPatternInfo::setFrameView(Quirel_ColorPatternFrameView* view) {
  if (view) mFrameView = view;
}

void Quirel_ColorPatternInfo::setImageView(Quirel_ColorPatternImageView* view) {
  if (view) mImageView = view;
}

void Quirel_ColorPatternInfo::setImage(std::optional<kit::Image> image, int rotation, bool mirror) {
  mImage = std::move(image);
  mRotation = rotation;
  mMirror = mirror;
  if (mImageView) {
    mImageView->setImage(mImage, rotation, mirror);
    mImageView->setNeedsDisplay(true);
  }
}

void Quirel_ColorPatternInfo::setSelected(bool on) {
  mSelected = on;
  if (mFrameView) {
    mFrameView->setSelected(on);
    mFrameView->setNeedsDisplay(true);
  }
}

void Quirel_ColorPatternInfo::setBased(bool on) {
  mBased = on;
  if (mFrameView) {
    mFrameView->setBased(on);
    mFrameView->setNeedsDisplay(true);
  }
}

void Quirel_ColorPatternInfo::setEnableBtn(bool r, bool g, bool b, bool c, bool m, bool y) {
  mEnableBtn_R = r;
  mEnableBtn_G = g;
  mEnableBtn_B = b;
  mEnableBtn_C = c;
  mEnableBtn_M = m;
  mEnableBtn_Y = y;
}

void Quirel_ColorPatternInfo::setNextIndex(int r, int g, int b, int c, int m, int y) {
  mNextIndex_R = r;
  mNextIndex_G = g;
  mNextIndex_B = b;
  mNextIndex_C = c;
  mNextIndex_M = m;
  mNextIndex_Y = y;
}
