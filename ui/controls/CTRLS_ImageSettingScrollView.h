#pragma once

#include <memory>

#include "kit/ClipView.h"
#include "kit/ScrollView.h"
#include "kit/TextField.h"
#include "ui/controls/NoFocusView.h"

// The scrolling list of the advanced panel's image settings with its heading. The owner adds
// the rows, sizes the document, then calls endScrollView, which nests the pieces.
class Quirel_CTRLS_ImageSettingScrollView {
 public:
  Quirel_CTRLS_ImageSettingScrollView(double x, double y, double width, double height);
  ~Quirel_CTRLS_ImageSettingScrollView();
  Quirel_CTRLS_ImageSettingScrollView(const Quirel_CTRLS_ImageSettingScrollView&) = delete;
  Quirel_CTRLS_ImageSettingScrollView& operator=(const Quirel_CTRLS_ImageSettingScrollView&) = delete;

  kit::TextField* getTitleTxt() const { return mTitleTxt.get(); }
  void setTitleTxtTitle(const std::string& title) { mTitleTxt->setStringValue(title); }
  void setTitleTxtRect(double x, double y, double width, double height) {
    mTitleTxt->setFrame(fnd::Rect(x, y, width, height));
  }
  fnd::Rect getTitleTxtRect() const { return mTitleTxt ? mTitleTxt->frame() : fnd::Rect(); }
  kit::ScrollView* getScrollView() const { return mScrollView.get(); }
  void setScrollViewRect(double x, double y, double width, double height) {
    mScrollView->setFrame(fnd::Rect(x, y, width, height));
  }
  fnd::Rect getScrollViewRect() const { return mScrollView ? mScrollView->frame() : fnd::Rect(); }
  // Sizes the document view and its clip view together.
  void setViewRect(double x, double y, double width, double height);
  fnd::Rect getViewRect() const { return mView ? mView->frame() : fnd::Rect(); }
  kit::View* getView() const { return mView.get(); }
  void setItem(kit::View* view, const fnd::Rect& rect);
  void endScrollView();

 private:
  std::unique_ptr<kit::TextField> mTitleTxt;
  // Declared so that the document leaves the clip view, and the clip view the scroll view, first.
  std::unique_ptr<kit::ScrollView> mScrollView;
  std::unique_ptr<kit::ClipView> mClipView;
  std::unique_ptr<kit::View> mView;
};
