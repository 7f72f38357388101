#include "launcher/ProcessImageDialog.h"

#include "foundation/Bundle.h"
#include "kit/TextField.h"
#include "kit/View.h"
#include "kit/Window.h"
#include "launcher/PVLocalizedBundle.h"
#include "launcher/PVLocalizedString.h"
#include "launcher/ProcessImagePanel.h"

Zorvik_ProcessImageDialog::Zorvik_ProcessImageDialog() = default;

Zorvik_ProcessImageDialog::~Zorvik_ProcessImageDialog() { closeProcessImageDialogMT(); }

void Zorvik_ProcessImageDialog::setParentWindow(kit::Window* window) {
  if (window) mParentRect = window->frame();
}

void Zorvik_ProcessImageDialog::showProcessImageDialog(std::string_view key, std::string_view table) {
  mLastKey = std::string(key);
  showProcessImageDialogMT(key, table);
}

void Zorvik_ProcessImageDialog::closeProcessImageDialog() { closeProcessImageDialogMT(); }

void Zorvik_ProcessImageDialog::showProcessImageDialogNC(const fnd::Value&) { showProcessImageDialogMT({}, {}); }

void Zorvik_ProcessImageDialog::closeProcessImageDialogNC(const fnd::Value&) { closeProcessImageDialogMT(); }

void Zorvik_ProcessImageDialog::showProcessImageDialogMT(std::string_view key, std::string_view table) {
  if (!mWindow) {
    const Zorvik_PVLocalizedString strings(Zorvik_PVLocalizedBundle().getLocalizedBundleStr());
    mWindow = std::make_unique<Zorvik_ProcessImagePanel>(fnd::Rect{{0, 0}, {400, 100}}, kit::kTitledWindowMask);
    mWindow->setWorksWhenModal(true);
    mWindow->setLevel(kLevel);
    mWindow->setReleasedWhenClosed(false);
    mWindow->setTitle(strings.ls_localizedStringForKey("PVTO_PVTO_TITLE", "PictavoTrivo").value_or(""));
    auto field = std::make_unique<kit::TextField>(fnd::Rect{{30, 30}, {300, 50}});
    field->setBezeled(false);
    field->setEditable(false);
    field->setSelectable(false);
    field->setDrawsBackground(false);
    field->setAlignment(kit::TextAlignment::Center);
    if (!key.empty()) field->setStringValue(strings.ls_localizedStringForKey(key, table).value_or(""));
    mTextField = field.get();
    mWindow->contentView()->addSubview(std::move(field));
  }
  mWindow->center();
  mWindow->makeKeyAndOrderFront();
}

void Zorvik_ProcessImageDialog::closeProcessImageDialogMT() {
  if (!mWindow) return;
  mWindow->setStopEvent(true);
  // Put away, not closed: a notice going away is not the user closing the program's last
  // window, which would end the program.
  mWindow->orderOut();
  mTextField = nullptr;
  mWindow.reset();
}

bool Zorvik_ProcessImageDialog::isShowing() const { return mWindow && mWindow->isVisible(); }

std::string Zorvik_ProcessImageDialog::text() const { return mTextField ? mTextField->stringValue() : std::string(); }
