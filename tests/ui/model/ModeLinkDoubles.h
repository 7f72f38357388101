#pragma once

// Test doubles of the scan modes and the progress window, as the preview model reaches them.

#include <map>
#include <thread>
#include <vector>

#include "ui/model/CropInfo.h"
#include "ui/model/ExtendModeLink.h"
#include "ui/model/MultiScanModeLink.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/ProgressWindowLink.h"
#include "ui/model/StandardModeLink.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UILessScanModeLink.h"
#include "ui/model/UIScannerInfo.h"

namespace modedoubles {

// The base-mode answers shared by the basic and advanced doubles: set the public fields.
template <class Link>
class FakeScanMode : public Link {
 public:
  std::map<int, SSizeDouble> paperSizes;
  std::map<int, SPointDouble> paperPoints;
  bool film = false;
  Quirel_PreferenceInfo* preferences = nullptr;
  Quirel_UIScannerInfo* scanner = nullptr;
  CropList crops;
  ThumbnailList thumbnails;
  std::vector<PreviewBitmap> drawn;
  std::vector<int> askedEntries;

  SSizeDouble getPaperSizeWH_Pixel96(int entry) override {
    askedEntries.push_back(entry);
    auto it = paperSizes.find(entry);
    return it == paperSizes.end() ? SSizeDouble{} : it->second;
  }
  SPointDouble getPaperSizePoint_Pixel96(int entry) override {
    auto it = paperPoints.find(entry);
    return it == paperPoints.end() ? SPointDouble{} : it->second;
  }
  bool getNeedScan() override { return false; }
  bool getZoomScan() override { return false; }
  bool getHasPreview() override { return false; }
  bool isThumbnailMode() override { return false; }
  bool isMultiCropMode() override { return false; }
  bool isCalibrationEveryScan() override { return false; }
  bool isHighQualityMode() override { return false; }
  bool isFilmMode() override { return film; }
  int getADFDirection() override { return 0; }
  int getADFBinding() override { return 0; }
  const CropList& getCropList() override { return crops; }
  const ThumbnailList& getThumbnailList() override { return thumbnails; }
  Quirel_CropInfo* getTemplateCrop() override { return nullptr; }
  Quirel_PreferenceInfo* getPreferenceInfo() override { return preferences; }
  Quirel_UIScannerInfo* getScannerInfo() override { return scanner; }
  SSizeDouble getPreviewDataSize() override { return {}; }
  SSizeDouble getPreviewViewSize() override { return {}; }
  SRectDouble updateCropByResetZoomScan(Quirel_CropInfo&, double, double) override { return {}; }
  void reDrawPreview(const PreviewBitmap& bitmap) override { drawn.push_back(bitmap); }
  void setThumbnailImage(Quirel_PreviewInfo*) override {}
};

class FakeStandardMode : public FakeScanMode<StandardModeLink> {
 public:
  int imageSource = 0;
  int getImgSrcNumber() override { return imageSource; }
};

class FakeExtendMode : public FakeScanMode<ExtendModeLink> {
 public:
  int imageSource = 0;
  int colorMode = 0;
  int paperSizeNumber = 0;
  int filmSizeNumber = 0;
  int getImgSrcNumber() override { return imageSource; }
  int getColorModeNumber() override { return colorMode; }
  int getPaperSizeNumber() override { return paperSizeNumber; }
  int getFilmSizeNumber() override { return filmSizeNumber; }
  int getSelectedPaperSize() override { return paperSizeNumber; }
};

class FakeUILessMode : public UILessScanModeLink {
 public:
  SRectDouble filmRect{};
  fnd::Dictionary scanDic;
  CropList crops;
  ThumbnailList thumbnails;
  int inputSource = 0;
  Quirel_PreferenceInfo* preferences = nullptr;
  const fnd::Dictionary& getScanDic() override { return scanDic; }
  int getInputSource() override { return inputSource; }
  SRectDouble getFilmPlatenRect_Pixel96() override { return filmRect; }
  const ThumbnailList& getThumbnailList() override { return thumbnails; }
  const CropList& getCropList() override { return crops; }
  Quirel_CropInfo* getTemplateCrop() override { return nullptr; }
  Quirel_PreferenceInfo* getPreferenceInfo() override { return preferences; }
  Quirel_UIScannerInfo* getScannerInfo() override { return nullptr; }
  void setThumbnailImage(Quirel_PreviewInfo*) override {}
};

class FakeMultiMode : public MultiScanModeLink {
 public:
  int imageSource = 0;
  int destination = 0;
  bool duplex = false;
  bool recommendImageSetting = false;
  Quirel_UIScannerInfo* scanner = nullptr;
  int getImgSrcNumber() override { return imageSource; }
  int getDstNumber() override { return destination; }
  bool getDuplexADF() override { return duplex; }
  bool getShowResult() override { return true; }
  bool getRecommendImageSetting() override { return recommendImageSetting; }
  Quirel_UIScannerInfo* getScannerInfo() override { return scanner; }
};

// Records what the model told it, and on which thread.
class FakeProgressWindow : public ProgressWindowLink {
 public:
  int cropNow = 0;
  std::vector<int> shown;
  std::vector<std::thread::id> threads;
  int getCropNow() override { return cropNow; }
  void setImageAdjustNum(int number) override {
    shown.push_back(number);
    threads.push_back(std::this_thread::get_id());
  }
};

}  // namespace modedoubles
