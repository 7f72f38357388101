#pragma once

#include <memory>
#include <string>

#include "foundation/Geometry.h"
#include "kit/View.h"

namespace kit {

class TabView;

// One tab: an identifier, a label and the view shown while the tab is selected. Subclasses
// may draw their label themselves (drawLabel) and say how wide it is (sizeOfLabel).
class TabViewItem {
 public:
  explicit TabViewItem(std::string identifier = {});
  virtual ~TabViewItem();
  TabViewItem(const TabViewItem&) = delete;
  TabViewItem& operator=(const TabViewItem&) = delete;

  const std::string& identifier() const { return identifier_; }
  void setIdentifier(const std::string& id) { identifier_ = id; }
  const std::string& label() const { return label_; }
  virtual void setLabel(const std::string& label);
  // The view shown in the tab view's content area; the item owns it.
  View* view() const { return view_.get(); }
  void setView(std::unique_ptr<View> view);
  TabView* tabView() const { return tabView_; }

  // The label's natural width and height in the tab view's font (shouldTruncate is for
  // callers that ask for a truncated size; the default always answers the natural one).
  virtual fnd::Size sizeOfLabel(bool shouldTruncate) const;
  // Draws the label into the rectangle of the tab view (its space).
  virtual void drawLabel(bool shouldTruncate, const fnd::Rect& labelRect);

 private:
  friend class TabView;
  std::string identifier_;
  std::string label_;
  std::unique_ptr<View> view_;
  TabView* tabView_ = nullptr;
};

}  // namespace kit
