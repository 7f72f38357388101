#include "ui/controls/CTRLS_TabView.h"

#include "kit/TabView.h"

namespace {
const fnd::Rect kModeTabFrame(460, 0, 340, 800);
}  // namespace

Quirel_CTRLS_TabView::Quirel_CTRLS_TabView(bool standardMode, bool extendMode, bool multiScanMode)
    : newTabView(std::make_unique<Quirel_NoFocusTabView>(kModeTabFrame)) {
  newTabView->setAutoresizingMask(kit::kViewMinXMargin | kit::kViewHeightSizable);
  StandardTabItem = makePage(standardMode, "Simple Mode", StandardView, mHiddenStandard);
  ExtendTabItem = makePage(extendMode, "Advanced Mode", ExtendView, mHiddenExtend);
  MultiScanTabItem = makePage(multiScanMode, "Multi-Scan", MultiScanView, mHiddenMultiScan);
}

// Items kept here go (with their pages) before the tab view, which takes the items it shows.
Quirel_CTRLS_TabView::~Quirel_CTRLS_TabView() = default;

Quirel_TabViewItem* Quirel_CTRLS_TabView::makePage(bool shown, const char* label, kit::View*& page,
                                                   std::unique_ptr<Quirel_TabViewItem>& hidden) {
  auto item = std::make_unique<Quirel_TabViewItem>();
  auto view = std::make_unique<kit::View>(kModeTabFrame);
  page = view.get();
  item->setLabel(label);
  item->setView(std::move(view));
  Quirel_TabViewItem* raw = item.get();
  if (shown)
    newTabView->addTabViewItem(std::move(item));
  else
    hidden = std::move(item);
  return raw;
}

void Quirel_CTRLS_TabView::placeOn(kit::View* page, kit::View* view, const fnd::Rect& rect) {
  if (!view) return;
  view->setFrame(rect);
  page->addSubview(view);
}

void Quirel_CTRLS_TabView::setDelegate(kit::TabViewDelegate* delegate) { newTabView->setDelegate(delegate); }
