#pragma once

#include <array>
#include <memory>

#include "kit/View.h"
#include "ui/controls/NoFocusTabView.h"
#include "ui/controls/TabViewItem.h"

// The preferences dialog's tabs: preview, scan, colour setting, scanner and save, each with a
// content view. The dialog chooses which tabs show and in which order, fills the content
// views, then ends the build.
class Quirel_CTRLS_PREFTabView {
 public:
  enum Tab { kPreview = 0, kScan, kColorSetting, kScanner, kSave, kTabCount };

  explicit Quirel_CTRLS_PREFTabView(const fnd::Rect& frame);
  ~Quirel_CTRLS_PREFTabView();
  Quirel_CTRLS_PREFTabView(const Quirel_CTRLS_PREFTabView&) = delete;
  Quirel_CTRLS_PREFTabView& operator=(const Quirel_CTRLS_PREFTabView&) = delete;

  // The positions of the tabs; a tab whose position is outside 0..3 (0..4 with the save tab)
  // is left out, and tabs with equal positions keep the fixed order. The four-position form
  // never shows the save tab.
  void setTabViewItemIndex(int preview, int scan, int colorSetting, int scanner);
  void setTabViewItemIndex(int preview, int scan, int colorSetting, int scanner, int save);

  void setPreviewTabViewLabel(const std::string& label) { mItems[kPreview]->setLabel(label); }
  void setScanTabViewLabel(const std::string& label) { mItems[kScan]->setLabel(label); }
  void setColorSettingTabViewLabel(const std::string& label) { mItems[kColorSetting]->setLabel(label); }
  void setScannerTabViewLabel(const std::string& label) { mItems[kScanner]->setLabel(label); }
  void setSaveTabViewLabel(const std::string& label) { mItems[kSave]->setLabel(label); }

  // Places the view (which stays its owner's) on that tab's content view.
  void setPreviewTabViewItem(kit::View* view, const fnd::Rect& rect) { place(kPreview, view, rect); }
  void setScanTabViewItem(kit::View* view, const fnd::Rect& rect) { place(kScan, view, rect); }
  void setColorSettingTabViewItem(kit::View* view, const fnd::Rect& rect) { place(kColorSetting, view, rect); }
  void setScannerTabViewItem(kit::View* view, const fnd::Rect& rect) { place(kScanner, view, rect); }
  void setSaveTabViewItem(kit::View* view, const fnd::Rect& rect) { place(kSave, view, rect); }
  // Gives each tab its content view; called once all controls are placed.
  void endTabView();

  void setDelegate(kit::TabViewDelegate* delegate) { _tabView->setDelegate(delegate); }
  Quirel_NoFocusTabView* getTabView() const { return _tabView.get(); }
  Quirel_TabViewItem* tabItem(Tab tab) const { return mItems[tab]; }
  kit::View* contentView(Tab tab) const { return mViews[tab]; }

 private:
  void addInOrder(const std::array<int, kTabCount>& positions, int count);
  void place(Tab tab, kit::View* view, const fnd::Rect& rect);

  std::unique_ptr<Quirel_NoFocusTabView> _tabView;
  // Until handed on (items to the tab view, content views to their items) they are ours.
  std::array<std::unique_ptr<Quirel_TabViewItem>, kTabCount> mOwnedItems;
  std::array<std::unique_ptr<kit::View>, kTabCount> mOwnedViews;
  std::array<Quirel_TabViewItem*, kTabCount> mItems{};
  std::array<kit::View*, kTabCount> mViews{};
};
