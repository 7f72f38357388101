#pragma once

#include <functional>

// The check box of one thumbnail, as the thumbnail record sees it; the view layer implements it.
class ThumbnailCheckBoxLink {
 public:
  virtual ~ThumbnailCheckBoxLink() = default;

  // 1 checked, 0 not.
  virtual void setState(int state) = 0;
  virtual int state() const = 0;
  // Called when the user clicks the box; an empty function clears it.
  virtual void setAction(std::function<void()> action) = 0;
};
