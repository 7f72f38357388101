#pragma once

// Shared by the advanced mode's tests: the mode with its fields open, over a scanner record
// built from flags.

#include <memory>

#include "../ModesTestSupport.h"
#include "ui/model/CropFrameViewLink.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/modes/advanced/ExtendMode.h"

namespace extend_test {

// A crop frame's view as far as showing and hiding go.
class FakeFrameView : public CropFrameViewLink {
 public:
  void setFrameRotation(double angle) override { rotation_ = angle; }
  double frameRotation() const override { return rotation_; }
  void setFrame(const fnd::Rect& frame) override { frame_ = frame; }
  fnd::Size superviewSize() const override { return {1000, 1000}; }
  void redrawSuperview(const fnd::Rect&) override {}
  void setHidden(bool hidden) override { hidden_ = hidden; }
  bool isHidden() const override { return hidden_; }
  fnd::Rect frame() const override { return frame_; }
  int getLineStyle() const override { return style_; }
  void setLineStyle(int style) override { style_ = style; }
  void runTimer(bool) override {}
  void removeFromSuperview() override {}
  std::unique_ptr<CropFrameViewLink> makeSourceView(const fnd::Rect&, int) override {
    return std::make_unique<FakeFrameView>();
  }

 private:
  double rotation_ = 0;
  fnd::Rect frame_;
  bool hidden_ = false;
  int style_ = 0;
};

class TestExtendMode : public Quirel_ExtendMode {
 public:
  using Quirel_ExtendMode::mCropList;
  using Quirel_ExtendMode::mFavorite;
  using Quirel_ExtendMode::mHighQualityMode;
  using Quirel_ExtendMode::mImageSource;
  using Quirel_ExtendMode::mImgSrcSetting;
  using Quirel_ExtendMode::mMultiCrop;
  using Quirel_ExtendMode::mTemplateCrop;
  using Quirel_ExtendMode::mThumbnailList;
  using Quirel_ExtendMode::mToneCurve;
  using Quirel_ExtendMode::mHasPreview;
  using Quirel_ExtendMode::mScanMode;
  using Quirel_ExtendMode::mADFDirection;

  explicit TestExtendMode(const fnd::Dictionary& scanner = {}) {
    setScannerInfo(modes_test::scannerWith(scanner));
    setPreferenceInfo(std::make_shared<Quirel_PreferenceInfo>());
    setPlatenResolution(300);
    setPlatenRect_Pixel96({{0, 0}, {2550, 3508}});
    setFilmPlatenRect_Pixel96({{100, 100}, {900, 2700}});
    setADFPlatenRect_Pixel96({{0, 0}, {2550, 4200}});
  }
  std::shared_ptr<Quirel_CropInfo> addCrop(bool selected) {
    auto crop = std::make_shared<Quirel_CropInfo>();
    crop->setSelect(selected);
    crop->setCropView(std::make_unique<FakeFrameView>());
    mCropList.push_back(crop);
    return crop;
  }
  int dialogResets = 0;
  void resetChanelImageDialogs() override { ++dialogResets; }
};

inline fnd::Dictionary defaultValue(long long v) { return fnd::Dictionary{{"DefaultValue", v}}; }

}  // namespace extend_test
