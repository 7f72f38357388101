#pragma once

#include <string>

// The open panel that the folder chooser drives: its title, its OK button and the panel's own
// OK action. The chooser decides; the panel shows.
class Quirel_FolderPanelPort {
 public:
  virtual ~Quirel_FolderPanelPort() = default;
  virtual void setTitle(const std::string& title) = 0;
  // The OK button found in the panel; false when the panel has none.
  virtual bool setOkButtonTitle(const std::string& title) = 0;
  virtual void setOkButtonEnabled(bool enabled) = 0;
  // The panel's own OK: accepts the chosen folder and closes.
  virtual void performOk() = 0;
};
