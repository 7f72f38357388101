#pragma once

#include "foundation/Value.h"
#include "ui/model/ScanModeLink.h"

// The mode that scans without a main window, as the model sees it.
class UILessScanModeLink : public ModeLink {
 public:
  // The dictionary form of the scan settings the calling application supplied.
  virtual const fnd::Dictionary& getScanDic() = 0;
  // Replaces input source 7 of that dictionary.
  virtual int getInputSource() = 0;
  // The film holder area in platen-resolution pixels; its origin is added to film crops.
  virtual SRectDouble getFilmPlatenRect_Pixel96() = 0;
  virtual const ThumbnailList& getThumbnailList() = 0;
  virtual const CropList& getCropList() = 0;
  virtual Quirel_CropInfo* getTemplateCrop() = 0;
  virtual Quirel_PreferenceInfo* getPreferenceInfo() = 0;
  virtual Quirel_UIScannerInfo* getScannerInfo() = 0;
  virtual void setThumbnailImage(Quirel_PreviewInfo* preview) = 0;
};
