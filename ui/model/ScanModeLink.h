#pragma once

#include <memory>
#include <vector>

#include "ui/model/ModeLink.h"
#include "ui/model/PreviewBitmap.h"
#include "ui/model/Units.h"

class Quirel_CropInfo;
class Quirel_PreferenceInfo;
class Quirel_PreviewInfo;
class Quirel_ThumbnailInfo;
class Quirel_UIScannerInfo;

using CropList = std::vector<std::shared_ptr<Quirel_CropInfo>>;
using ThumbnailList = std::vector<std::shared_ptr<Quirel_ThumbnailInfo>>;

// What the preview model asks of the base of the basic and advanced modes. Records answered
// by pointer stay the mode's; null means the mode has none.
class ScanModeLink : public ModeLink {
 public:
  // Entry 0 the platen area, 21..31 and 34 the film area, 32 the feeder area, others the paper
  // table's entry; in pixels at the mode's platen resolution.
  virtual SSizeDouble getPaperSizeWH_Pixel96(int entry) = 0;
  // The film area's origin for 21..31 and 34, the feeder area's for 32, (0, 0) otherwise.
  virtual SPointDouble getPaperSizePoint_Pixel96(int entry) = 0;

  virtual bool getNeedScan() = 0;
  virtual bool getZoomScan() = 0;
  virtual bool getHasPreview() = 0;
  virtual bool isThumbnailMode() = 0;
  virtual bool isMultiCropMode() = 0;
  virtual bool isCalibrationEveryScan() = 0;
  virtual bool isHighQualityMode() = 0;
  // The scan kind is one of the two film kinds.
  virtual bool isFilmMode() = 0;
  virtual int getADFDirection() = 0;
  virtual int getADFBinding() = 0;

  virtual const CropList& getCropList() = 0;
  virtual const ThumbnailList& getThumbnailList() = 0;
  virtual Quirel_CropInfo* getTemplateCrop() = 0;
  virtual Quirel_PreferenceInfo* getPreferenceInfo() = 0;
  virtual Quirel_UIScannerInfo* getScannerInfo() = 0;
  virtual SSizeDouble getPreviewDataSize() = 0;
  virtual SSizeDouble getPreviewViewSize() = 0;

  // Recomputes the crop's input rectangle, visible preview size and start point for the whole
  // (not zoomed) area and stores them in the crop; the caller restores them afterwards.
  virtual SRectDouble updateCropByResetZoomScan(Quirel_CropInfo& crop, double areaWidth, double areaHeight) = 0;
  // Shows the picture in the mode's preview view with the mode's rotation and mirroring.
  virtual void reDrawPreview(const PreviewBitmap& bitmap) = 0;
  // Takes each thumbnail's picture and rectangle from the preview model.
  virtual void setThumbnailImage(Quirel_PreviewInfo* preview) = 0;
};
