#pragma once

// Test doubles of the views the crop and thumbnail records talk to. They record what was asked
// of them in a log shared by all views of one test, which also stands for their superview.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/model/CropFrameViewLink.h"
#include "ui/model/ThumbnailCheckBoxLink.h"
#include "ui/model/ThumbnailFrameViewLink.h"
#include "ui/model/ThumbnailPreviewViewLink.h"

namespace viewdoubles {

struct ViewLog {
  std::vector<std::string> events;
  int alive = 0;  // views not yet destroyed
  bool has(const std::string& event) const {
    for (const std::string& e : events) {
      if (e == event) return true;
    }
    return false;
  }
};

class FrameView : public CropFrameViewLink {
 public:
  FrameView(ViewLog& log, std::string name, fnd::Rect frame = {}, int lineStyle = 0)
      : log_(log), name_(std::move(name)), frame_(frame), lineStyle_(lineStyle) {
    ++log_.alive;
  }
  ~FrameView() override {
    --log_.alive;
    log_.events.push_back(name_ + " destroyed");
  }

  void setFrameRotation(double angle) override {
    rotation = angle;
    log_.events.push_back(name_ + " rotation " + std::to_string(angle));
  }
  double frameRotation() const override { return rotation; }
  void setFrame(const fnd::Rect& frame) override { frame_ = frame; }
  fnd::Size superviewSize() const override { return {}; }
  void redrawSuperview(const fnd::Rect&) override {}
  void setHidden(bool h) override { hidden = h; }
  bool isHidden() const override { return hidden; }
  fnd::Rect frame() const override { return frame_; }
  int getLineStyle() const override { return lineStyle_; }
  void setLineStyle(int style) override { lineStyle_ = style; }
  void runTimer(bool run) override { log_.events.push_back(name_ + (run ? " timer on" : " timer off")); }
  void removeFromSuperview() override { log_.events.push_back(name_ + " removed"); }
  std::unique_ptr<CropFrameViewLink> makeSourceView(const fnd::Rect& frame, int lineStyle) override {
    log_.events.push_back(name_ + " made source view");
    return std::make_unique<FrameView>(log_, name_ + ".source" + std::to_string(++sources_), frame, lineStyle);
  }

  double rotation = 0;
  bool hidden = false;

 private:
  ViewLog& log_;
  std::string name_;
  fnd::Rect frame_;
  int lineStyle_;
  int sources_ = 0;
};

class ThumbFrame : public ThumbnailFrameViewLink {
 public:
  explicit ThumbFrame(ViewLog& log) : log_(log) { ++log_.alive; }
  ~ThumbFrame() override { --log_.alive; }
  void setFocus(bool f) override { focus = f; }
  void setSelected(bool s) override { selected = s; }
  void setWillSelected(bool w) override { willSelected = w; }
  bool isWillSelected() const override { return willSelected; }
  void setHidden(bool h) override {
    hidden = h;
    log_.events.push_back(h ? "frame hidden" : "frame shown");
  }
  bool isHidden() const override { return hidden; }
  void removeFromSuperview() override { log_.events.push_back("frame removed"); }

  bool focus = false, selected = false, willSelected = false, hidden = false;

 private:
  ViewLog& log_;
};

class ThumbPreview : public ThumbnailPreviewViewLink {
 public:
  explicit ThumbPreview(ViewLog& log) : log_(log) { ++log_.alive; }
  ~ThumbPreview() override { --log_.alive; }
  void removeTrackingRect() override { log_.events.push_back("tracking removed"); }
  void removeFromSuperview() override { log_.events.push_back("preview removed"); }

 private:
  ViewLog& log_;
};

class CheckBox : public ThumbnailCheckBoxLink {
 public:
  explicit CheckBox(ViewLog& log) : log_(log) { ++log_.alive; }
  ~CheckBox() override { --log_.alive; }
  void setState(int s) override { state_ = s; }
  int state() const override { return state_; }
  void setAction(std::function<void()> action) override { action_ = std::move(action); }
  // What a user's click does: the box flips, then its action runs.
  void click() {
    state_ = state_ == 1 ? 0 : 1;
    if (action_) action_();
  }

 private:
  ViewLog& log_;
  int state_ = 0;
  std::function<void()> action_;
};

}  // namespace viewdoubles
