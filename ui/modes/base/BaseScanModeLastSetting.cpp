// The last-setting entries the basic and advanced modes write alike.

#include "ui/controls/CTRLS_Preview.h"
#include "ui/modes/base/BaseScanMode.h"

fnd::Dictionary Quirel_BaseScanMode::lastSettingSize(const SSizeDouble& size) {
  return fnd::Dictionary{{"width", fnd::Value(size.width)}, {"height", fnd::Value(size.height)}};
}

SSizeDouble Quirel_BaseScanMode::writeLastNoticesAndPreviewSize(fnd::Dictionary& d) const {
  d.set("ShowBookCorrectMsg", mBookCorrectMsg);
  d.set("ShowClearThumbnailMsg", mClearThumbnailMsg);
  d.set("ShowLargePicMsg", mLargePicMsg);
  d.set("ShowColorBitMsg", mColorBitMsg);
  d.set("ShowSaveFavoriteMsg", mFavoriteMsg);
  d.set("ShowSaveToneSettingMsg", mToneSettingMsg);
  d.set("ShowColorModeAndDataFormatMsg", mColorModeAndDataFormatMsg);
  SSizeDouble visible{0, 0};
  if (mPreview) {
    const fnd::Size v = mPreview->getVisiblePreviewSize_Pixel96();
    visible = {v.width, v.height};
  }
  d.set("VisiblePreviewSize", lastSettingSize(visible));
  d.set("PreviewSize", lastSettingSize(visible));
  return visible;
}
