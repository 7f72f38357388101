#include "ui/windows/FolderOpenPanel.h"

#include "kit/Button.h"
#include "kit/View.h"
#include "ui/windows/FolderOpenDialog.h"

Quirel_FolderOpenPanel::Quirel_FolderOpenPanel(Quirel_FolderOpenDialog& chooser) : chooser_(chooser) {
  // Only folders are chosen; files would just crowd the list.
  setCanChooseFiles(false);
  setCanChooseDirectories(true);
  setCanCreateDirectories(chooser_.canCreateDirectories());
  setAllowsMultipleSelection(false);
  okBtn_ = searchOkButton(contentView());
  setDelegate(this);
}

Quirel_FolderOpenPanel::~Quirel_FolderOpenPanel() {
  // The chooser may already be half gone: nothing may reach it from here on.
  setDelegate(nullptr);
}

kit::Button* Quirel_FolderOpenPanel::searchOkButton(kit::View* view) {
  if (!view) return nullptr;
  for (kit::View* sub : view->subviews()) {
    if (auto* button = dynamic_cast<kit::Button*>(sub); button && button->hasAction() && button->keyEquivalent() == "\r")
      return button;
    if (kit::Button* found = searchOkButton(sub)) return found;
  }
  return nullptr;
}

// A text that could not be looked up comes as an empty string: the panel keeps its own words
// rather than show a blank title bar or a blank button.
void Quirel_FolderOpenPanel::setTitle(const std::string& title) {
  if (!title.empty()) kit::OpenPanel::setTitle(title);
}

bool Quirel_FolderOpenPanel::setOkButtonTitle(const std::string& title) {
  if (!okBtn_) return false;
  if (!title.empty()) okBtn_->setTitle(title);
  return true;
}

void Quirel_FolderOpenPanel::setOkButtonEnabled(bool enabled) {
  if (okBtn_) okBtn_->setEnabled(enabled);
}

void Quirel_FolderOpenPanel::performOk() { kit::OpenPanel::ok(); }

void Quirel_FolderOpenPanel::ok() { chooser_.ok(); }

bool Quirel_FolderOpenPanel::panelShouldEnableURL(kit::OpenPanel&, const std::string& path) {
  return chooser_.shouldShowFilename(path);
}

void Quirel_FolderOpenPanel::panelDirectoryDidChange(kit::OpenPanel&, const std::string& path) {
  chooser_.directoryDidChange(path);
}
