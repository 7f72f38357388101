#pragma once

#include <memory>
#include <vector>

#include "kit/Font.h"
#include "kit/TabViewItem.h"
#include "kit/View.h"

namespace kit {

class TabView;

class TabViewDelegate {
 public:
  virtual ~TabViewDelegate() = default;
  virtual bool tabViewShouldSelectTabViewItem(TabView&, TabViewItem*) { return true; }
  virtual void tabViewWillSelectTabViewItem(TabView&, TabViewItem*) {}
  virtual void tabViewDidSelectTabViewItem(TabView&, TabViewItem*) {}
  virtual void tabViewDidChangeNumberOfTabViewItems(TabView&) {}
};

// Tabs along the top, the selected item's view below them. A press on a tab asks the
// delegate and selects it. Items are owned by the tab view, in order.
class TabView : public View {
 public:
  explicit TabView(const fnd::Rect& frame = {});
  ~TabView() override;

  TabViewItem* addTabViewItem(std::unique_ptr<TabViewItem> item);
  TabViewItem* insertTabViewItem(std::unique_ptr<TabViewItem> item, int index);
  void removeTabViewItem(TabViewItem* item);
  int numberOfTabViewItems() const { return static_cast<int>(items_.size()); }
  TabViewItem* tabViewItemAtIndex(int index) const;
  int indexOfTabViewItem(const TabViewItem* item) const;
  int indexOfTabViewItemWithIdentifier(const std::string& id) const;

  // Selection asks the delegate; false when refused or out of range.
  bool selectTabViewItemAtIndex(int index);
  bool selectTabViewItem(TabViewItem* item);
  bool selectTabViewItemWithIdentifier(const std::string& id);
  TabViewItem* selectedTabViewItem() const { return selected_; }
  int indexOfSelectedTabViewItem() const { return indexOfTabViewItem(selected_); }

  TabViewDelegate* delegate() const { return delegate_; }
  void setDelegate(TabViewDelegate* d) { delegate_ = d; }
  const Font& font() const { return font_; }
  void setFont(const Font& font);

  // Where the items' views go, and where each tab is (this view's space).
  fnd::Rect contentRect() const;
  fnd::Rect tabRect(int index) const;
  TabViewItem* tabViewItemAtPoint(fnd::Point p) const;

  void drawRect(const fnd::Rect& dirty) override;
  void mouseDown(const Event& event) override;
  void setFrame(const fnd::Rect& frame) override;

 private:
  void placeViews();
  std::vector<std::unique_ptr<TabViewItem>> items_;
  TabViewItem* selected_ = nullptr;
  TabViewDelegate* delegate_ = nullptr;
  Font font_ = Font::systemFont(13);
};

}  // namespace kit
