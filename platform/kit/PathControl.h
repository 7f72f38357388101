#pragma once

#include <string>
#include <vector>

#include "kit/Control.h"

namespace kit {

// Shows a folder path as its chain of folder names ("Home > Pictures > Scans"), the last one
// in full, the earlier ones shortened when space runs out. A click sends the action, with the
// clicked component's path in clickedPath().
class PathControl : public Control {
 public:
  explicit PathControl(const fnd::Rect& frame = {});
  ~PathControl() override;

  const std::string& path() const { return path_; }
  void setPath(const std::string& path);
  std::string stringValue() const override { return path_; }
  void setStringValue(const std::string& path) override { setPath(path); }
  // The names shown, from the root down (the home folder is shown by its name).
  std::vector<std::string> componentTitles() const;
  const std::string& clickedPath() const { return clicked_; }
  void setBackgroundColor(const Color& color);

  void drawRect(const fnd::Rect& dirty) override;

 protected:
  void trackMouseDown(const Event& event) override;

 private:
  std::vector<std::pair<std::string, std::string>> components() const;  // title, path
  std::vector<fnd::Rect> componentRects() const;
  std::string path_;
  std::string clicked_;
  Color background_ = Color::clear();
};

}  // namespace kit
