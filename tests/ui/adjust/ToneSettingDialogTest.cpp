// The tone-settings dialog driven as a user would: typing names, list clicks, the buttons, the
// message boxes and the save notice answered; then the lists, the results and "Tone.xml".

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "AdjustTestSupport.h"
#include "foundation/Paths.h"
#include "foundation/PropertyList.h"
#include "ui/adjust/ToneSettingDialog.h"
#include "ui/adjust/ToneSettingDlgWindow.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/CTRLS_ScrollView.h"
#include "ui/controls/CTRLS_TONESetNameTextF.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/StringField.h"
#include "ui/controls/TableView.h"
#include "ui/windows/CheckBoxDialog.h"
#include "TestFiles.h"

using namespace adjust_test;

namespace {

std::string toneDialogFolder() {
  return testenv::emptyFolderAt(std::filesystem::path(fnd::Paths::configDir()) / "tonesettingdialog") + "/";
}

// Answers the coming modal windows in order: message boxes (1 OK, 0 Cancel) and the save
// notice (2 OK with the box ticked, 3 OK, 4 Cancel), keeping the boxes' texts.
class ToneDialogBoxes {
 public:
  void answer(std::vector<int> answers) {
    for (int a : answers)
      app().onNextModalWindow([this, a](kit::Window& w) {
        if (auto* notice = dynamic_cast<Quirel_CheckBoxDialog*>(&w)) {
          texts.push_back("notice: " + notice->messageField()->stringValue());
          if (a == 2) notice->checkBox()->performClick();
          (a == 4 ? notice->cancelButton() : notice->okButton())->performClick();
          return;
        }
        auto* box = dynamic_cast<Quirel_ShowMessageDialog*>(&w);
        texts.push_back(box ? box->textField()->stringValue() : std::string("<no box>"));
        if (box && a == 1)
          box->okButton()->performClick();
        else if (box && box->cancelButton())
          box->cancelButton()->performClick();
        else
          app().abortModal();
      });
  }
  std::vector<std::string> texts;
};

class ToneSettingDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = toneDialogFolder();
    list = crops(3, {1, 2}, 1);
    for (int i = 0; i < 3; ++i) {
      list[i]->setThreshold(50 + i);
      list[i]->setColorBalance(ColorBalanceValues{i, 10 + i, 0, 0});
      list[i]->setToneBC(ToneBCValues{{i, 0, 0, 0}, {0, 0, 0, -i}});
    }
  }
  void open(int colorMode, bool v1700 = true) {
    info = scanner(true, true, v1700);
    dialog = std::make_unique<Quirel_ToneSettingDialog>(&list, &templateCrop, folder,
                                                        std::vector<std::string>{"Custom Tone", "Add/Delete"}, info.get());
    dialog->setShowSaveMsg(true, false);
    dialog->setColorMode(colorMode);
    dialog->createToneSetDialog();
    dialog->setInitSetting();
    dialog->showToneSetDialog();
    tokens.push_back(fnd::NotificationCenter::defaultCenter().observe(
        Quirel_ToneSettingDialog::kSavePost, dialog.get(), [this](const fnd::Notification&) { ++saved; }));
    tokens.push_back(fnd::NotificationCenter::defaultCenter().observe(
        Quirel_ToneSettingDialog::kCancelPost, dialog.get(), [this](const fnd::Notification&) { ++cancelled; }));
  }
  void TearDown() override {
    tokens.clear();
    if (dialog) dialog->getWindow()->orderOut();
    EXPECT_EQ(app().pendingModalResponders(), 0u) << "a modal window that was expected did not show";
  }
  void typeName(const std::string& text) {
    kit::TextField* f = dialog->nameField()->getTextF();
    dialog->getWindow()->makeFirstResponder(f);
    f->replaceText(text);
  }
  void click(Quirel_CTRLS_PushButton* b) { b->getPushBT()->performClick(); }
  void add(const std::string& name) {
    typeName(name);
    click(dialog->addButton());
  }
  void writeFile(const fnd::Array& entries) {
    ASSERT_TRUE(fnd::PropertyList::writeFile(fnd::Value(entries), Quirel_ToneSetting::filePath(folder)));
  }
  std::string nameShown() { return dialog->nameField()->getStringValue(); }

  TextsAnswer texts;
  ToneDialogBoxes boxes;
  std::string folder;
  CropList list;
  Quirel_CropInfo templateCrop;
  std::unique_ptr<Quirel_UIScannerInfo> info;
  std::unique_ptr<Quirel_ToneSettingDialog> dialog;
  std::vector<fnd::NotificationCenter::Token> tokens;
  int saved = 0, cancelled = 0;
};

}  // namespace

TEST_F(ToneSettingDialogTest, NamesAreTidiedAndTheFirstSelectedCropsValuesStored) {
  open(3);
  EXPECT_EQ(nameShown(), "Custom");
  boxes.answer({3});  // two crops: the save notice
  add(" \u3000 Warm \u3000 ");
  ASSERT_EQ(dialog->colorList().size(), 1u);
  const Quirel_ToneSetting& entry = dialog->colorList()[0];
  EXPECT_EQ(entry.getName(), "Warm");
  EXPECT_EQ(entry.getColorMode(), 3);
  EXPECT_EQ(entry.getColorBalance().cyanRed, 11);  // crop 1, the first selected
  EXPECT_EQ(entry.getThreshold(), 72);             // colour entries keep the default threshold
  EXPECT_EQ(dialog->getLastAddIndex(), entry.getIndex());
  EXPECT_EQ(nameShown(), "Custom");
  EXPECT_TRUE(dialog->saveButton()->getPushBT()->isEnabled());
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_NE(boxes.texts[0].find("Only one area's settings"), std::string::npos);
  // Default names count up past the taken ones.
  boxes.answer({3, 3});
  add("Custom");
  EXPECT_EQ(nameShown(), "Custom-2");
  add("Custom-2");
  EXPECT_EQ(nameShown(), "Custom-3");
  // A name made only of blanks cannot be added; a reserved one is refused.
  typeName("\u3000 ");
  EXPECT_FALSE(dialog->addButton()->getPushBT()->isEnabled());
  boxes.answer({1});
  add("Custom Tone");
  EXPECT_NE(boxes.texts.back().find("reserved"), std::string::npos);
  EXPECT_EQ(dialog->colorList().size(), 3u);
}

TEST_F(ToneSettingDialogTest, ACaseDuplicateAsksAndOkOverwritesKeepingTheIndex) {
  writeFile({Quirel_ToneSetting(77, "warm", 3).getDictionary(), Quirel_ToneSetting(78, "mono", 0).getDictionary()});
  open(3);
  boxes.answer({0});
  add("WARM");
  EXPECT_NE(boxes.texts.back().find("already exists"), std::string::npos);
  EXPECT_EQ(dialog->colorList()[0].getName(), "warm");
  boxes.answer({1, 3});
  add("WARM");
  ASSERT_EQ(dialog->colorList().size(), 1u);
  EXPECT_EQ(dialog->colorList()[0].getName(), "WARM");
  EXPECT_EQ(dialog->colorList()[0].getIndex(), 77);
  EXPECT_EQ(dialog->colorList()[0].getColorBalance().cyanRed, 11);
  EXPECT_EQ(dialog->getLastAddIndex(), 77);
  // Save: black-and-white first, the other list unchanged.
  click(dialog->saveButton());
  EXPECT_EQ(saved, 1);
  auto back = Quirel_ToneSetting::readFromFolder(folder);
  ASSERT_EQ(back.threshold.size(), 1u);
  EXPECT_TRUE(back.threshold[0] == Quirel_ToneSetting(78, "mono", 0));
  const auto raw = fnd::PropertyList::readFile(Quirel_ToneSetting::filePath(folder));
  EXPECT_EQ(raw.value->toArray()[0]["Name"].toString(), "mono");
}

TEST_F(ToneSettingDialogTest, TwentyEntriesOpenOnRowTwentyAndRefuseANewName) {
  fnd::Array entries;
  for (int i = 0; i < 25; ++i) entries.push_back(Quirel_ToneSetting(100 + i, "t" + std::to_string(i), 0).getDictionary());
  writeFile(entries);
  open(0);
  EXPECT_EQ(nameShown(), "t19");
  EXPECT_EQ(dialog->listView()->selectedRow(), 19);
  EXPECT_TRUE(dialog->deleteButton()->getPushBT()->isEnabled());
  boxes.answer({1});
  add("brand new");
  EXPECT_NE(boxes.texts.back().find("No more than 20"), std::string::npos);
  EXPECT_EQ(dialog->thresholdList().size(), 25u);
  // Overwriting an entry still works, and stores only the threshold.
  boxes.answer({1, 3});
  add("T3");
  EXPECT_EQ(dialog->thresholdList()[3].getName(), "T3");
  EXPECT_EQ(dialog->thresholdList()[3].getThreshold(), 51);
  EXPECT_EQ(dialog->thresholdList()[3].getColorBalance().cyanRed, 0);
  EXPECT_EQ(nameShown(), "T3");
  EXPECT_EQ(dialog->listView()->selectedRow(), 19);
}

TEST_F(ToneSettingDialogTest, RowTwentySelectedIsScrolledIntoTheListsView) {
  auto rowTwentyShown = [&] {
    kit::TableView* table = dialog->listView()->getTableView();
    const fnd::Rect visible = table->visibleRect();
    const fnd::Rect row = table->rectOfRow(19);
    return dialog->listView()->selectedRow() == 19 && !row.isEmpty() && row.minY() >= visible.minY() &&
           row.maxY() <= visible.maxY();
  };
  // Opening on a full list; a name wider than the list adds the horizontal scroller.
  fnd::Array entries;
  for (int i = 0; i < 20; ++i)
    entries.push_back(Quirel_ToneSetting(100 + i, i == 4 ? std::string(32, 'W') : "t" + std::to_string(i), 0).getDictionary());
  writeFile(entries);
  open(0);
  EXPECT_TRUE(rowTwentyShown()) << "on opening";
  // The user scrolls back to the top, then overwrites an entry.
  dialog->listView()->getScrollView()->scrollToPoint({0, 0});
  ASSERT_FALSE(rowTwentyShown());
  boxes.answer({1, 3});
  add("T3");
  EXPECT_TRUE(rowTwentyShown()) << "after overwriting";
  dialog->getWindow()->orderOut();
  dialog.reset();

  // The twentieth entry added.
  entries.resize(19);
  writeFile(entries);
  open(0);
  EXPECT_EQ(dialog->listView()->selectedRow(), -1);
  boxes.answer({3});
  add("twenty");
  ASSERT_EQ(dialog->thresholdList().size(), 20u);
  EXPECT_TRUE(rowTwentyShown()) << "after adding the twentieth";
}

TEST_F(ToneSettingDialogTest, NoCropSelectedGivesTheRecordDefaultsAndOneCropNoNotice) {
  list.resize(1);
  list[0]->setSelect(false);
  open(3);
  add("plain");
  ASSERT_EQ(dialog->colorList().size(), 1u);
  const Quirel_ToneSetting& e = dialog->colorList()[0];
  EXPECT_EQ(e.getHistogram().white.master, 255);
  EXPECT_EQ(e.getHistogram().mid.red, 128);
  EXPECT_EQ(e.getToneCurve().setPointCount[0], 2);
  EXPECT_EQ(e.getToneCurve().setPoint[0][1].h, 255);
  EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(ToneSettingDialogTest, TheNoticeCanBeTickedOffOrCancelTheAdd) {
  open(3);
  boxes.answer({4});
  add("first");
  EXPECT_TRUE(dialog->colorList().empty());
  EXPECT_TRUE(dialog->getShowSaveMsg());
  boxes.answer({2});
  add("first");
  EXPECT_EQ(dialog->colorList().size(), 1u);
  EXPECT_FALSE(dialog->getShowSaveMsg());
  add("second");  // no notice any more
  EXPECT_EQ(dialog->colorList().size(), 2u);
  EXPECT_EQ(boxes.texts.size(), 2u);
}

TEST_F(ToneSettingDialogTest, DeletingTheLastAddedGivesMinusOneAndListClicksShowNames) {
  dialog.reset();
  list.resize(1);
  open(3);
  add("one");
  add("two");
  ASSERT_EQ(dialog->colorList().size(), 2u);
  dialog->listView()->getTableView()->performClickOnRow(0);
  EXPECT_EQ(nameShown(), "one");
  dialog->listView()->getTableView()->performClickOnRow(1);
  EXPECT_EQ(nameShown(), "two");
  boxes.answer({0});
  click(dialog->deleteButton());
  EXPECT_EQ(dialog->colorList().size(), 2u);
  boxes.answer({1});
  click(dialog->deleteButton());
  EXPECT_NE(boxes.texts.back().find("delete"), std::string::npos);
  EXPECT_EQ(dialog->colorList().size(), 1u);
  EXPECT_EQ(dialog->getLastAddIndex(), -1);
  EXPECT_FALSE(dialog->deleteButton()->getPushBT()->isEnabled());
}

TEST_F(ToneSettingDialogTest, CancelLeavesTheFileByteEqual) {
  writeFile({Quirel_ToneSetting(5, "keep", 1).getDictionary(), fnd::Value("stray")});
  const std::string before = testenv::readFile(Quirel_ToneSetting::filePath(folder));
  list.resize(1);
  open(1);
  add("more");
  click(dialog->cancelButton());
  EXPECT_EQ(cancelled, 1);
  EXPECT_EQ(saved, 0);
  EXPECT_EQ(testenv::readFile(Quirel_ToneSetting::filePath(folder)), before);
  // The closing window takes no more events.
  dialog->closeToneSetDialog();
  EXPECT_TRUE(dialog->getWindow()->closeFlg());
}

TEST_F(ToneSettingDialogTest, AFailedSaveShowsTheMessageAndKeepsDialogAndFile) {
  writeFile({Quirel_ToneSetting(5, "keep", 1).getDictionary()});
  const std::string path = Quirel_ToneSetting::filePath(folder);
  const std::string before = testenv::readFile(path);
  list.resize(1);
  open(1);
  add("more");
  const std::string dir = folder.substr(0, folder.size() - 1);
  testenv::whileUnwritable(dir, [&] {
    boxes.answer({1});
    click(dialog->saveButton());
  });
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_NE(boxes.texts[0].find("could not be saved"), std::string::npos);
  EXPECT_EQ(saved, 0);
  EXPECT_FALSE(dialog->getWindow()->closeFlg());
  EXPECT_EQ(testenv::readFile(path), before);
  click(dialog->saveButton());
  EXPECT_EQ(saved, 1);
  EXPECT_EQ(Quirel_ToneSetting::readAll(folder).size(), 2u);
}

TEST_F(ToneSettingDialogTest, AnUnreadableFileIsKeptBeforeSave) {
  std::ofstream(Quirel_ToneSetting::filePath(folder)) << "not a list";
  list.resize(1);
  open(1);
  EXPECT_TRUE(dialog->colorList().empty());
  add("fresh");
  click(dialog->saveButton());
  EXPECT_EQ(testenv::readFile(Quirel_ToneSetting::filePath(folder) + ".unreadable"), "not a list");
  EXPECT_EQ(Quirel_ToneSetting::readAll(folder).size(), 1u);
}

TEST_F(ToneSettingDialogTest, ALongNameIsCutWithoutSplittingACharacter) {
  list.resize(1);
  open(1);
  // 31 letters and a character outside the basic plane: 33 units, cut to 31.
  const std::string name = std::string(31, 'a') + "\xF0\x9F\x98\x80";
  kit::TextField* f = dialog->nameField()->getTextF();
  dialog->getWindow()->makeFirstResponder(f);
  f->setStringValue(name);
  dialog->controlTextDidEndEditing(*f);
  EXPECT_EQ(f->stringValue(), std::string(31, 'a'));
  click(dialog->addButton());
  click(dialog->saveButton());
  EXPECT_EQ(saved, 1);
}
