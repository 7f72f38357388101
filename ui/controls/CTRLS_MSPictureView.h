#pragma once

#include <memory>
#include <vector>

#include "kit/Image.h"
#include "ui/controls/NoFocusImageView.h"

// A picture of the multi-scan tab chosen from a list by index (the source, or the destination).
class Quirel_CTRLS_MSPictureView {
 public:
  Quirel_CTRLS_MSPictureView();
  virtual ~Quirel_CTRLS_MSPictureView();
  Quirel_CTRLS_MSPictureView(const Quirel_CTRLS_MSPictureView&) = delete;
  Quirel_CTRLS_MSPictureView& operator=(const Quirel_CTRLS_MSPictureView&) = delete;

  Quirel_NoFocusImageView* getImageView() const { return mImageView.get(); }
  void setImageViewRect(double x, double y, double width, double height) {
    mImageView->setFrame(fnd::Rect(x, y, width, height));
  }
  fnd::Rect getImageViewRect() const { return mImageView ? mImageView->frame() : fnd::Rect(); }
  // Inserts the picture at the index (0 to the count); an index past that or a picture that
  // cannot be found leaves the list as it was. Answers whether it was inserted.
  bool addImage(int index, const std::string& name, const std::string& bundle);
  // Shows the picture at the index; any index outside the list changes nothing.
  void changeImage(int index);
  int imageCount() const { return static_cast<int>(mImageArray.size()); }

 private:
  std::vector<kit::Image> mImageArray;
  std::unique_ptr<Quirel_NoFocusImageView> mImageView;
};
