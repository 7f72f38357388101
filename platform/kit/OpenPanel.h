#pragma once

#include <memory>
#include <string>
#include <vector>

#include "kit/Panel.h"

namespace kit {

class Button;
class OpenPanel;
class PathControl;
class TableView;
class TextField;
class View;

// Asked by an open panel about what it shows and what it may answer.
class OpenPanelDelegate {
 public:
  virtual ~OpenPanelDelegate() = default;
  // Entries refused here show greyed and cannot be chosen.
  virtual bool panelShouldEnableURL(OpenPanel&, const std::string& /*path*/) { return true; }
  // Asked at OK about the chosen path; false keeps the panel open.
  virtual bool panelValidateURL(OpenPanel&, const std::string& /*path*/) { return true; }
  virtual void panelDirectoryDidChange(OpenPanel&, const std::string& /*path*/) {}
  virtual void panelSelectionDidChange(OpenPanel&) {}
};

// A modal chooser of files or folders: the folder shown as a path, its entries in a list,
// an optional accessory view, Cancel and OK. OK answers the selected entry, or the folder
// shown when nothing is selected and folders may be chosen; the delegate may refuse it, and
// the panel then stays open. runModal answers 1 for OK and 0 for Cancel. Tests answer a run
// through Application::onNextModalWindow (setDirectory, selectEntry, ok).
class OpenPanel : public Panel {
 public:
  static constexpr int kOK = 1;
  static constexpr int kCancel = 0;

  OpenPanel();
  ~OpenPanel() override;

  bool canChooseFiles() const { return chooseFiles_; }
  void setCanChooseFiles(bool on);
  bool canChooseDirectories() const { return chooseDirectories_; }
  void setCanChooseDirectories(bool on);
  bool allowsMultipleSelection() const { return multiple_; }
  void setAllowsMultipleSelection(bool on);
  // Shows the New Folder button, which makes an "untitled folder" in the folder shown.
  bool canCreateDirectories() const { return createDirectories_; }
  void setCanCreateDirectories(bool on);
  // File name extensions (without the dot) that files must have; empty allows all.
  const std::vector<std::string>& allowedFileTypes() const { return types_; }
  void setAllowedFileTypes(std::vector<std::string> types);
  void setPrompt(const std::string& title);
  void setMessage(const std::string& text);
  void setAccessoryView(std::unique_ptr<View> view);
  View* accessoryView() const { return accessory_; }
  void setDelegate(OpenPanelDelegate* delegate) { delegate_ = delegate; }
  OpenPanelDelegate* delegate() const { return delegate_; }

  // --- The folder shown and the entries
  const std::string& directory() const { return directory_; }
  void setDirectory(const std::string& path);
  // Lists the folder again, asking the delegate about each entry.
  void validateVisibleColumns();
  std::vector<std::string> entryNames() const;
  // Selects an entry by name; false when absent or not enabled.
  bool selectEntry(const std::string& name);
  // The path that OK would answer (empty when none).
  std::string chosenPath() const;
  // The answer of the last OK.
  const std::string& URL() const { return url_; }
  std::vector<std::string> URLs() const;

  Button* okButton() const { return ok_; }
  Button* cancelButton() const { return cancel_; }
  Button* newFolderButton() const { return newFolder_; }
  // Makes a new folder in the folder shown and selects it; its path, or empty on failure.
  std::string createNewFolder();
  TableView* tableView() const { return table_; }

  int runModal();
  // OK: validates the chosen path and ends the run with kOK, or keeps the panel open.
  virtual void ok();
  virtual void cancel();

 private:
  struct Entry {
    std::string name;
    bool directory;
    bool enabled;
  };
  class Source;
  void reload();
  void layout();
  void entryDoubleClicked();
  std::string directory_;
  std::vector<Entry> entries_;
  std::vector<std::string> types_;
  std::string url_;
  std::vector<std::string> urls_;
  bool chooseFiles_ = true;
  bool chooseDirectories_ = false;
  bool multiple_ = false;
  bool createDirectories_ = false;
  OpenPanelDelegate* delegate_ = nullptr;
  std::unique_ptr<Source> source_;
  TextField* message_ = nullptr;
  PathControl* path_ = nullptr;
  TableView* table_ = nullptr;
  View* accessory_ = nullptr;
  Button* ok_ = nullptr;
  Button* cancel_ = nullptr;
  Button* up_ = nullptr;
  Button* newFolder_ = nullptr;
};

}  // namespace kit
