#pragma once

#include <memory>
#include <string>

#include "foundation/Geometry.h"
#include "ui/controls/NoFocusTabView.h"
#include "ui/controls/TabViewItem.h"

namespace kit {
class TabViewDelegate;
}

// The mode tabs of the main window: a basic, an advanced and a multi-scan page, each an item
// with a page view. An item whose flag was NO is made all the same (it takes labels and
// views) but not shown in the tab view.
class Quirel_CTRLS_TabView {
 public:
  Quirel_CTRLS_TabView(bool standardMode, bool extendMode, bool multiScanMode);
  ~Quirel_CTRLS_TabView();
  Quirel_CTRLS_TabView(const Quirel_CTRLS_TabView&) = delete;
  Quirel_CTRLS_TabView& operator=(const Quirel_CTRLS_TabView&) = delete;

  Quirel_NoFocusTabView* getTabView() const { return newTabView.get(); }
  Quirel_TabViewItem* standardTabItem() const { return StandardTabItem; }
  Quirel_TabViewItem* extendTabItem() const { return ExtendTabItem; }
  Quirel_TabViewItem* multiScanTabItem() const { return MultiScanTabItem; }
  kit::View* standardView() const { return StandardView; }
  kit::View* extendView() const { return ExtendView; }
  kit::View* multiScanView() const { return MultiScanView; }

  void setStandardTabViewLabel(const std::string& label) { StandardTabItem->setLabel(label); }
  void setExtendTabViewLabel(const std::string& label) { ExtendTabItem->setLabel(label); }
  void setMultiScanTabViewLabel(const std::string& label) { MultiScanTabItem->setLabel(label); }
  // The view takes the rectangle and joins that page; the caller keeps it.
  void setStandardTabViewItem(kit::View* view, const fnd::Rect& rect) { placeOn(StandardView, view, rect); }
  void setExtendTabViewItem(kit::View* view, const fnd::Rect& rect) { placeOn(ExtendView, view, rect); }
  void setMultiScanTabViewItem(kit::View* view, const fnd::Rect& rect) { placeOn(MultiScanView, view, rect); }

  void setDelegate(kit::TabViewDelegate* delegate);
  void selectTabViewItemAtIndex(int index) { newTabView->selectTabViewItemAtIndex(index); }

 private:
  Quirel_TabViewItem* makePage(bool shown, const char* label, kit::View*& page,
                               std::unique_ptr<Quirel_TabViewItem>& hidden);
  static void placeOn(kit::View* page, kit::View* view, const fnd::Rect& rect);

  std::unique_ptr<Quirel_NoFocusTabView> newTabView;
  // Items shown belong to the tab view; the others are kept here. Each item owns its page.
  std::unique_ptr<Quirel_TabViewItem> mHiddenStandard, mHiddenExtend, mHiddenMultiScan;
  Quirel_TabViewItem* StandardTabItem = nullptr;
  Quirel_TabViewItem* ExtendTabItem = nullptr;
  Quirel_TabViewItem* MultiScanTabItem = nullptr;
  kit::View* StandardView = nullptr;
  kit::View* ExtendView = nullptr;
  kit::View* MultiScanView = nullptr;
};
