#include "ui/controls/CTRLS_NextThumbnailButton.h"

#include "kit/Color.h"
#include "kit/Image.h"
#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_NextThumbnailButton::Quirel_CTRLS_NextThumbnailButton()
    : mNextBT(std::make_unique<Quirel_ColorButton>()), mBackBT(std::make_unique<Quirel_ColorButton>()) {
  mNextBT->setBackgroundColor(kit::Color::lightGray());
  mBackBT->setBackgroundColor(kit::Color::lightGray());
  mNextBT->setAction([this](kit::Control&) { NextBTAction(); });
  mBackBT->setAction([this](kit::Control&) { BackBTAction(); });
}

Quirel_CTRLS_NextThumbnailButton::~Quirel_CTRLS_NextThumbnailButton() = default;

void Quirel_CTRLS_NextThumbnailButton::loadImages(Quirel_ColorButton& button, const std::string& enter,
                                                  const std::string& exit, const std::string& down,
                                                  const std::string& disable, const std::string& bundle) {
  auto load = [&bundle](const std::string& name) { return name.empty() ? kit::Image() : kit::Image::named(name, bundle); };
  button.setImage(load(enter), load(exit), load(down), load(disable));
}

void Quirel_CTRLS_NextThumbnailButton::setNextBTImage(const std::string& enter, const std::string& exit,
                                                      const std::string& down, const std::string& disable,
                                                      const std::string& bundle) {
  loadImages(*mNextBT, enter, exit, down, disable, bundle);
}

void Quirel_CTRLS_NextThumbnailButton::setBackBTImage(const std::string& enter, const std::string& exit,
                                                      const std::string& down, const std::string& disable,
                                                      const std::string& bundle) {
  loadImages(*mBackBT, enter, exit, down, disable, bundle);
}

void Quirel_CTRLS_NextThumbnailButton::setHidden(bool hidden) {
  mNextBT->setHidden(hidden);
  mBackBT->setHidden(hidden);
}

void Quirel_CTRLS_NextThumbnailButton::setEnabled(bool enabled) {
  mNextBT->setEnabled(enabled);
  mBackBT->setEnabled(enabled);
}

void Quirel_CTRLS_NextThumbnailButton::NextBTAction() { Quirel_ClickHandshake::post(kNextPost, mNextBT.get()); }

void Quirel_CTRLS_NextThumbnailButton::BackBTAction() { Quirel_ClickHandshake::post(kBackPost, mBackBT.get()); }
