#pragma once

// Shared by the scan modes' tests: a concrete mode over the base, a recorder of posts with their
// user info, and a stand-in for the preview model that fills the settings carrier.

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "foundation/NotificationCenter.h"
#include "ui/base/PostNotification.h"
#include "ui/controls/CTRLS_NextThumbnailButton.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_PreviewFrame.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/SettingToSM.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/base/BaseScanMode.h"

namespace modes_test {

// The base with the operations later layers give it, and its fields open to the tests.
class TestScanMode : public Quirel_BaseScanMode {
 public:
  using Quirel_BaseScanMode::mCropList;
  using Quirel_BaseScanMode::mHasPreview;
  using Quirel_BaseScanMode::mMultiCrop;
  using Quirel_BaseScanMode::mPreviewDataSize;
  using Quirel_BaseScanMode::mScanMode;
  using Quirel_BaseScanMode::mTemplateCrop;
  using Quirel_BaseScanMode::mThumbnailList;
  using Quirel_BaseScanMode::mUIMode;
  using Quirel_BaseScanMode::mChangeFavoriteSetting;
  using Quirel_BaseScanMode::mChangeThumbnailMode;
  using Quirel_BaseScanMode::mChangeThumbnailSize;
  using Quirel_BaseScanMode::mCreateFilmCrop;
  using Quirel_BaseScanMode::mEnableThumbnailBtn;
  using Quirel_BaseScanMode::mHasNonThumPreview;
  using Quirel_BaseScanMode::mMirror;
  using Quirel_BaseScanMode::mNextThumbnailBtn;
  using Quirel_BaseScanMode::mOriginalScan;
  using Quirel_BaseScanMode::mPreview;
  using Quirel_BaseScanMode::mPreviewFrame;
  using Quirel_BaseScanMode::mRotation;
  using Quirel_BaseScanMode::mSelectAllThumbnail;
  using Quirel_BaseScanMode::mThumbnailCount;
  using Quirel_BaseScanMode::mToolMode;
  using Quirel_BaseScanMode::mZoomRate;
  using Quirel_BaseScanMode::mZoomScan;
  using Quirel_BaseScanMode::applyOutputSizeListChange;
  using Quirel_BaseScanMode::OutputSizeListChange;
  using Quirel_BaseScanMode::giveThumbnailCropAView;
  using Quirel_BaseScanMode::makeFocusCropFromTemplate;
  using Quirel_BaseScanMode::removeAllButFocusCrop;

  // The window controller's preview frame, which the mode only keeps.
  std::unique_ptr<Quirel_CTRLS_PreviewFrame> ownedPreviewFrame;

  // The preview area the window controller gives a mode: a frame view of width x height with
  // the preview control (shadow and scroll view) in it, and the thumbnail step buttons.
  void buildPreviewArea(double width, double height) {
    ownedPreviewFrame = std::make_unique<Quirel_CTRLS_PreviewFrame>();
    mPreviewFrame = ownedPreviewFrame.get();
    mPreviewFrame->setFrameViewRect(0, 0, width, height);
    mPreview = Quirel_CTRLS_Preview::initForStandardMode();
    mPreviewFrame->addView(mPreview->getShadowView(), mPreview->getShadowViewRect());
    mPreviewFrame->addView(mPreview->getScrollView(), mPreview->getScrollViewRect());
    mNextThumbnailBtn = std::make_unique<Quirel_CTRLS_NextThumbnailButton>();
    mNextThumbnailBtn->setBackBTRect(0, 4.5, 40, 20);
    mNextThumbnailBtn->setNextBTRect(0, 4.5, 40, 20);
  }

  // A frame of `width` x `height` preview pixels at `resolution` (the platen's by default).
  std::shared_ptr<Quirel_CropInfo> addCrop(double width, double height, int resolution = 0, int colorMode = 3) {
    auto crop = std::make_shared<Quirel_CropInfo>();
    crop->setOutputSize_Pixel96({width, height});
    crop->setResolution(resolution ? resolution : getPlatenResolution());
    crop->setColorMode(colorMode);
    mCropList.push_back(crop);
    return crop;
  }
  std::shared_ptr<Quirel_ThumbnailInfo> addThumbnail(double width, double height, bool checked) {
    auto thumbnail = std::make_shared<Quirel_ThumbnailInfo>(static_cast<int>(mThumbnailList.size()));
    auto crop = std::make_shared<Quirel_CropInfo>();
    crop->setOutputSize_Pixel96({width, height});
    crop->setResolution(getPlatenResolution());
    crop->setColorMode(1);
    thumbnail->setCropInfo(crop);
    thumbnail->setChecked(checked);
    mThumbnailList.push_back(thumbnail);
    return thumbnail;
  }
};

inline std::shared_ptr<Quirel_UIScannerInfo> scannerWith(const fnd::Dictionary& flags) {
  return std::make_shared<Quirel_UIScannerInfo>(flags);
}

// Every post of the given names, with sender and a copy of the user info; outward posts are
// recorded under the name they carry.
class PostLog {
 public:
  struct Post {
    std::string name;
    const void* sender;
    fnd::Dictionary info;
  };
  explicit PostLog(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
      tokens_.push_back(fnd::NotificationCenter::defaultCenter().observe(name, nullptr, [this](const fnd::Notification& n) {
        Post p{n.name, n.sender, n.info() ? *n.info() : fnd::Dictionary()};
        if (n.name == Quirel_PostNotification::kOverrideNotification) {
          p.name = p.info.string(Quirel_PostNotification::kOverrideNotificationName);
          p.info.remove(Quirel_PostNotification::kOverrideNotificationName);
        }
        posts.push_back(std::move(p));
      }));
    }
  }
  std::vector<std::string> names() const {
    std::vector<std::string> all;
    for (const Post& p : posts) all.push_back(p.name);
    return all;
  }
  // How many posts of `name` were recorded.
  int count(const std::string& name) const {
    int n = 0;
    for (const Post& p : posts) n += p.name == name;
    return n;
  }
  const Post* find(const std::string& name) const {
    for (const Post& p : posts) {
      if (p.name == name) return &p;
    }
    return nullptr;
  }
  std::vector<Post> posts;

 private:
  std::vector<fnd::NotificationCenter::Token> tokens_;
};

// Answers the settings posts as the preview model would: fills the carrier with a record whose
// crops carry the given resolutions (none: a record without a first crop entry).
class RecordFiller {
 public:
  RecordFiller() {
    for (const char* name : {"previewSettingFromStdPost", "previewSettingFromExtPost", "scanSettingFromStdPost",
                             "scanSettingFromExtPost"}) {
      tokens_.push_back(
          fnd::NotificationCenter::defaultCenter().observe(name, nullptr, [this](const fnd::Notification& n) {
            answered.push_back(n.name);
            const fnd::Value* v = n.info() ? n.info()->find("SetToSM") : nullptr;
            auto carrier = v ? v->toObject<Quirel_SettingToSM>() : nullptr;
            if (!carrier) return;
            threshold = carrier->getThresholdNum();
            modeObject = carrier->getScanModeObj();
            if (refuse) {
              carrier->refuse();
              return;
            }
            fill(*carrier);
          }));
    }
  }
  void fill(Quirel_SettingToSM& carrier) const {
    ScanInfo info;
    std::memset(&info, 0, sizeof info);
    std::vector<CropSetting> crops(resolutions.size());
    std::memset(crops.data(), 0, crops.size() * sizeof(CropSetting));
    std::string temp = "/tmp";
    if (withTemporaryPath) info.Setting.temporaryPath = temp.data();
    info.Setting.ColorMode = colorMode;
    info.Setting.ColorSetting = colorSetting;
    info.InputSource = inputSource;
    info.crop_num = static_cast<std::int32_t>(crops.size());
    for (std::size_t i = 0; i < crops.size(); ++i) {
      crops[i].Resolution = resolutions[i];
      info.CropItem[i] = &crops[i];
    }
    carrier.setDataSM(info);
  }

  std::vector<int> resolutions{600};
  int colorMode = 3;
  int colorSetting = 0;
  int inputSource = 0;
  bool withTemporaryPath = true;
  bool refuse = false;
  std::vector<std::string> answered;
  int threshold = -1;
  ModeLink* modeObject = nullptr;

 private:
  std::vector<fnd::NotificationCenter::Token> tokens_;
};

}  // namespace modes_test
