#pragma once

// Kept, tested and with no caller in this program (see FolderOpenDialog.h).

#include <string>

#include "kit/OpenPanel.h"
#include "ui/windows/FolderPanelPort.h"

namespace kit {
class Button;
class View;
}  // namespace kit

class Quirel_FolderOpenDialog;

// The folder chooser's window: an open panel for folders only (with New Folder) whose entries,
// shown folder and OK are judged by the chooser. The panel's OK button asks the chooser first;
// the panel's own OK runs only when the chooser lets it.
class Quirel_FolderOpenPanel : public kit::OpenPanel,
                               public Quirel_FolderPanelPort,
                               private kit::OpenPanelDelegate {
 public:
  explicit Quirel_FolderOpenPanel(Quirel_FolderOpenDialog& chooser);
  ~Quirel_FolderOpenPanel() override;

  // The button of the panel that runs OK: depth first through the view's subviews, the first
  // button answering the Return key (the key the panel's OK is bound to); null when none.
  static kit::Button* searchOkButton(kit::View* view);
  kit::Button* foundOkButton() const { return okBtn_; }

  // Quirel_FolderPanelPort. Empty titles keep the panel's own ("Open").
  void setTitle(const std::string& title) override;
  bool setOkButtonTitle(const std::string& title) override;
  void setOkButtonEnabled(bool enabled) override;
  void performOk() override;

  // The OK button's action: the chooser's check, then (when it passes) the panel's own OK.
  void ok() override;

 private:
  bool panelShouldEnableURL(kit::OpenPanel&, const std::string& path) override;
  void panelDirectoryDidChange(kit::OpenPanel&, const std::string& path) override;

  Quirel_FolderOpenDialog& chooser_;
  kit::Button* okBtn_ = nullptr;  // owned by the content view
};
