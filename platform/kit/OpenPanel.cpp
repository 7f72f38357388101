#include "kit/OpenPanel.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "foundation/Paths.h"
#include "kit/Application.h"
#include "kit/Button.h"
#include "kit/PathControl.h"
#include "kit/ScrollView.h"
#include "kit/TableView.h"
#include "kit/TextField.h"

namespace kit {

namespace fs = std::filesystem;
using fnd::Rect;

namespace {
constexpr double kWidth = 540;
constexpr double kListHeight = 250;
}  // namespace

// The list of entries, with disabled ones greyed by name and refused as selections.
class OpenPanel::Source : public TableViewDataSource, public TableViewDelegate {
 public:
  explicit Source(OpenPanel* panel) : panel_(panel) {}
  int numberOfRowsInTableView(TableView&) override { return static_cast<int>(panel_->entries_.size()); }
  fnd::Value objectValueForTableColumn(TableView&, const TableColumn*, int row) override {
    const Entry& e = panel_->entries_[static_cast<size_t>(row)];
    std::string text = e.directory ? e.name + "/" : e.name;
    return fnd::Value(e.enabled ? text : "(" + text + ")");
  }
  bool tableViewShouldSelectRow(TableView&, int row) override {
    return row >= 0 && row < static_cast<int>(panel_->entries_.size()) && panel_->entries_[static_cast<size_t>(row)].enabled;
  }
  void tableViewSelectionDidChange(TableView&) override {
    if (panel_->delegate_) panel_->delegate_->panelSelectionDidChange(*panel_);
  }

 private:
  OpenPanel* panel_;
};

OpenPanel::OpenPanel()
    : Panel(Rect(0, 0, kWidth, kListHeight + 110), kTitledWindowMask | kResizableWindowMask),
      source_(std::make_unique<Source>(this)) {
  setTitle("Open");
  View* content = contentView();
  auto message = TextField::labelWithString("");
  message_ = static_cast<TextField*>(content->addSubview(std::move(message)));
  auto up = std::make_unique<Button>();
  up->setTitle("Up");
  up->setAction([this](Control&) {
    fs::path p(directory_);
    if (p.has_parent_path() && p.parent_path() != p) setDirectory(p.parent_path().string());
  });
  up_ = static_cast<Button*>(content->addSubview(std::move(up)));
  path_ = static_cast<PathControl*>(content->addSubview(std::make_unique<PathControl>()));
  auto scroll = std::make_unique<ScrollView>();
  scroll->setHasVerticalScroller(true);
  scroll->setBorderType(BorderType::BezelBorder);
  auto table = std::make_unique<TableView>();
  table->setHasHeader(false);
  table->addTableColumn(TableColumn{"name", "Name", kWidth, 10, 1e6, false});
  table->setDataSource(source_.get());
  table->setDelegate(source_.get());
  table->setDoubleAction([this](Control&) { entryDoubleClicked(); });
  table_ = table.get();
  scroll->setDocumentView(std::move(table));
  scroll->setTag(100);
  content->addSubview(std::move(scroll));
  auto newFolder = std::make_unique<Button>();
  newFolder->setTitle("New Folder");
  newFolder->setAction([this](Control&) { createNewFolder(); });
  newFolder->setHidden(true);
  newFolder_ = static_cast<Button*>(content->addSubview(std::move(newFolder)));
  auto cancel = std::make_unique<Button>();
  cancel->setTitle("Cancel");
  cancel->setKeyEquivalent(std::string(1, keys::kEscape));
  cancel->setAction([this](Control&) { this->cancel(); });
  cancel_ = static_cast<Button*>(content->addSubview(std::move(cancel)));
  auto ok = std::make_unique<Button>();
  ok->setTitle("Open");
  ok->setKeyEquivalent("\r");
  ok->setAction([this](Control&) { this->ok(); });
  ok_ = static_cast<Button*>(content->addSubview(std::move(ok)));
  setDefaultButton(ok_);
  setDirectory(fnd::Paths::homeDir());
  layout();
}

OpenPanel::~OpenPanel() {
  // The table's data source goes with us; the table must not ask it afterwards.
  if (table_) {
    table_->setDataSource(nullptr);
    table_->setDelegate(nullptr);
  }
}

void OpenPanel::setCanChooseFiles(bool on) {
  chooseFiles_ = on;
  reload();
}
void OpenPanel::setCanChooseDirectories(bool on) {
  chooseDirectories_ = on;
  reload();
}
void OpenPanel::setAllowsMultipleSelection(bool on) {
  multiple_ = on;
  table_->setAllowsMultipleSelection(on);
}
void OpenPanel::setCanCreateDirectories(bool on) {
  createDirectories_ = on;
  newFolder_->setHidden(!on);
}

std::string OpenPanel::createNewFolder() {
  std::error_code ec;
  std::string name = "untitled folder";
  for (int n = 2; fs::exists(fs::path(directory_) / name, ec) && n < 1000; ++n) name = "untitled folder " + std::to_string(n);
  fs::path made = fs::path(directory_) / name;
  if (!fs::create_directory(made, ec) || ec) return {};
  reload();
  selectEntry(name);
  return made.string();
}

void OpenPanel::setAllowedFileTypes(std::vector<std::string> types) {
  types_ = std::move(types);
  reload();
}
void OpenPanel::setPrompt(const std::string& title) { ok_->setTitle(title); }
void OpenPanel::setMessage(const std::string& text) {
  message_->setStringValue(text);
  layout();
}

void OpenPanel::setAccessoryView(std::unique_ptr<View> view) {
  if (accessory_) accessory_->removeFromSuperview();
  accessory_ = view ? contentView()->addSubview(std::move(view)) : nullptr;
  layout();
}

void OpenPanel::layout() {
  double accessoryH = accessory_ ? accessory_->frame().size.height : 0;
  double messageH = message_->stringValue().empty() ? 0 : 22;
  double height = 12 + 32 + 8 + accessoryH + (accessoryH > 0 ? 8 : 0) + kListHeight + 8 + 24 + 8 + messageH + 4;
  setContentSize({kWidth, height});
  double y = 12;
  newFolder_->setFrame(Rect(20, y, 110, 32));
  cancel_->setFrame(Rect(kWidth - 20 - 100 - 4 - 100, y, 100, 32));
  ok_->setFrame(Rect(kWidth - 20 - 100, y, 100, 32));
  y += 32 + 8;
  if (accessory_) {
    Rect f = accessory_->frame();
    accessory_->setFrame(Rect(std::max(20.0, (kWidth - f.size.width) / 2), y, f.size.width, f.size.height));
    y += accessoryH + 8;
  }
  if (View* scroll = contentView()->viewWithTag(100)) scroll->setFrame(Rect(20, y, kWidth - 40, kListHeight));
  y += kListHeight + 8;
  up_->setFrame(Rect(20, y, 50, 24));
  path_->setFrame(Rect(76, y, kWidth - 96, 24));
  y += 24 + 8;
  message_->setFrame(Rect(20, y, kWidth - 40, messageH));
  message_->setHidden(messageH == 0);
  table_->reloadData();
}

void OpenPanel::setDirectory(const std::string& path) {
  directory_ = path;
  path_->setPath(path);
  reload();
  if (delegate_) delegate_->panelDirectoryDidChange(*this, path);
}

void OpenPanel::validateVisibleColumns() { reload(); }

void OpenPanel::reload() {
  entries_.clear();
  std::error_code ec;
  for (fs::directory_iterator it(directory_, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    bool dir = it->is_directory(ec);
    if (!dir) {
      if (!chooseFiles_) continue;
      if (!types_.empty()) {
        std::string ext = it->path().extension().string();
        if (!ext.empty()) ext.erase(0, 1);
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
        bool allowed = std::any_of(types_.begin(), types_.end(), [&](std::string t) {
          std::transform(t.begin(), t.end(), t.begin(), [](unsigned char c) { return std::tolower(c); });
          return t == ext;
        });
        if (!allowed) continue;
      }
    }
    bool enabled = !delegate_ || delegate_->panelShouldEnableURL(*this, it->path().string());
    entries_.push_back(Entry{name, dir, enabled});
  }
  std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
  table_->deselectAll();
  table_->reloadData();
}

std::vector<std::string> OpenPanel::entryNames() const {
  std::vector<std::string> names;
  for (const auto& e : entries_) names.push_back(e.name);
  return names;
}

bool OpenPanel::selectEntry(const std::string& name) {
  for (size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].name == name && entries_[i].enabled) {
      table_->selectRow(static_cast<int>(i), false);
      return table_->isRowSelected(static_cast<int>(i));
    }
  return false;
}

std::string OpenPanel::chosenPath() const {
  int row = table_->selectedRow();
  if (row >= 0 && row < static_cast<int>(entries_.size())) {
    const Entry& e = entries_[static_cast<size_t>(row)];
    if (e.directory && !chooseDirectories_) return {};
    return (fs::path(directory_) / e.name).string();
  }
  return chooseDirectories_ ? directory_ : std::string();
}

std::vector<std::string> OpenPanel::URLs() const { return urls_; }

void OpenPanel::entryDoubleClicked() {
  int row = table_->clickedRow();
  if (row < 0 || row >= static_cast<int>(entries_.size())) return;
  const Entry& e = entries_[static_cast<size_t>(row)];
  if (!e.enabled) return;
  if (e.directory)
    setDirectory((fs::path(directory_) / e.name).string());
  else
    ok();
}

int OpenPanel::runModal() {
  url_.clear();
  urls_.clear();
  reload();
  center();
  makeKeyAndOrderFront();
  int code = Application::shared().runModalForWindow(*this);
  orderOut();
  return code == kOK ? kOK : kCancel;
}

void OpenPanel::ok() {
  std::string path = chosenPath();
  if (path.empty()) return;
  if (delegate_ && !delegate_->panelValidateURL(*this, path)) return;
  url_ = path;
  urls_.clear();
  for (int r : table_->selectedRowIndexes())
    if (r < static_cast<int>(entries_.size())) urls_.push_back((fs::path(directory_) / entries_[static_cast<size_t>(r)].name).string());
  if (urls_.empty()) urls_.push_back(path);
  if (Application::shared().modalWindow() == this) Application::shared().stopModalWithCode(kOK);
}

void OpenPanel::cancel() {
  if (Application::shared().modalWindow() == this) Application::shared().stopModalWithCode(kCancel);
}

}  // namespace kit
