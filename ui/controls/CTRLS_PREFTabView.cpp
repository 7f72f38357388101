#include "ui/controls/CTRLS_PREFTabView.h"

namespace {

const char* const kPrefTabLabels[] = {"Preview", "Scan", "ColorSetting", "Scanner", "Save"};

}  // namespace

Quirel_CTRLS_PREFTabView::Quirel_CTRLS_PREFTabView(const fnd::Rect& frame)
    : _tabView(std::make_unique<Quirel_NoFocusTabView>(frame)) {
  for (int tab = 0; tab < kTabCount; ++tab) {
    mOwnedItems[tab] = std::make_unique<Quirel_TabViewItem>(kPrefTabLabels[tab]);
    mOwnedItems[tab]->setLabel(kPrefTabLabels[tab]);
    mItems[tab] = mOwnedItems[tab].get();
    mOwnedViews[tab] = std::make_unique<kit::View>(frame);
    mViews[tab] = mOwnedViews[tab].get();
  }
}

// Tabs never shown go with their content views; the rest go with the tab view.
Quirel_CTRLS_PREFTabView::~Quirel_CTRLS_PREFTabView() = default;

void Quirel_CTRLS_PREFTabView::addInOrder(const std::array<int, kTabCount>& positions, int count) {
  for (int p = 0; p < count; ++p)
    for (int tab = 0; tab < count; ++tab)
      if (positions[tab] == p && mOwnedItems[tab]) _tabView->addTabViewItem(std::move(mOwnedItems[tab]));
}

void Quirel_CTRLS_PREFTabView::setTabViewItemIndex(int preview, int scan, int colorSetting, int scanner) {
  addInOrder({preview, scan, colorSetting, scanner, -1}, 4);
}

void Quirel_CTRLS_PREFTabView::setTabViewItemIndex(int preview, int scan, int colorSetting, int scanner, int save) {
  addInOrder({preview, scan, colorSetting, scanner, save}, 5);
}

void Quirel_CTRLS_PREFTabView::place(Tab tab, kit::View* view, const fnd::Rect& rect) {
  if (!view) return;
  view->setFrame(rect);
  mViews[tab]->addSubview(view);
}

void Quirel_CTRLS_PREFTabView::endTabView() {
  for (int tab = 0; tab < kTabCount; ++tab)
    if (mOwnedViews[tab]) mItems[tab]->setView(std::move(mOwnedViews[tab]));
}
