// The favourites manager driven as the advanced mode and a user would: the opener's setters,
// typing, list clicks, buttons, message boxes and the save notice answered; then the lists, the
// results, the notifications and the file on disk.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "SettingsDialogsTestSupport.h"
#include "foundation/Paths.h"
#include "foundation/PropertyList.h"
#include "ui/controls/CTRLS_FAVSetNameTextF.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/CTRLS_ScrollView.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/StringField.h"
#include "ui/controls/TableView.h"
#include "ui/model/CropInfo.h"
#include "ui/model/FavoriteSetting.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/settings/FavoriteDialog.h"
#include "ui/settings/FavoriteDlgWindow.h"
#include "ui/windows/CheckBoxDialog.h"
#include "TestFiles.h"

namespace {

using settings2_test::s2App;

std::string favoriteDialogFolder() {
  return testenv::emptyFolderAt(std::filesystem::path(fnd::Paths::configDir()) / "favoritedialog") + "/";
}

fnd::Dictionary favoriteEntry(int index, int source, const std::string& name) {
  Quirel_FavoriteSetting f(index, name);
  f.setImageSource(source);
  return f.getDictionary();
}

// Answers the coming modal windows in order: message boxes (1 OK, 0 Cancel) and the save
// notice (answer, and whether its box is ticked first), keeping their texts.
class FavoriteBoxes {
 public:
  void answer(std::vector<int> answers) {
    for (int a : answers)
      s2App().onNextModalWindow([this, a](kit::Window& w) {
        auto* box = dynamic_cast<Quirel_ShowMessageDialog*>(&w);
        texts.push_back(box ? box->textField()->stringValue() : std::string("<no box>"));
        if (box && a == 1) {
          box->okButton()->performClick();
        } else if (box && box->cancelButton()) {
          box->cancelButton()->performClick();
        } else {
          s2App().abortModal();
        }
      });
  }
  void notice(int answer, bool tick) {
    s2App().onNextModalWindow([this, answer, tick](kit::Window& w) {
      auto* notice = dynamic_cast<Quirel_CheckBoxDialog*>(&w);
      texts.push_back(notice ? notice->messageField()->stringValue() : std::string("<no notice>"));
      if (!notice) return s2App().abortModal();
      if (tick) notice->checkBox()->performClick();
      (answer == 1 ? notice->okButton() : notice->cancelButton())->performClick();
    });
  }
  std::vector<std::string> texts;
};

class FavoriteDialogTest : public ::testing::Test {
 protected:
  FavoriteDialogTest() {
    // A template crop and a preference set with values of their own, so that a field taken from
    // the wrong place shows.
    templ.setResolution(300);
    templ.setThreshold(60);
    prefs.setLampTime(7);
    prefs.setColorSetting(0, 1);
    prefs.setColorSetting(4, 2);
    prefs.setSaveName(std::string("scan"));
  }
  std::shared_ptr<Quirel_CropInfo> crop(int resolution, bool focus, int source = 0) {
    auto c = std::make_shared<Quirel_CropInfo>();
    c->setImageSource(source);
    c->setResolution(resolution);
    c->setColorMode(4);
    c->setThreshold(resolution / 10);
    c->setBackLightCorrect(2);
    c->setFocus(focus);
    crops.push_back(c);
    return c;
  }
  struct Opening {
    int source = 0;
    int toneNo = 0;
    std::optional<std::string> toneName;
    bool showSaveMsg = true, thumbnails = false;
    bool v1700 = true;
    bool messages = false;
    std::optional<std::string> outputSize;
  };
  // What the advanced mode does, in its order; it closes the dialog on either post.
  void open() { open(Opening{}); }
  void open(const Opening& o) {
    info = settings2_test::s2Scanner(true, true, true, o.v1700);
    dialog = std::make_unique<Quirel_FavoriteDialog>(&crops, &templ, &prefs, folder,
                                                     std::vector<std::string>{"User Settings", "Default"}, info.get());
    if (o.toneNo != 0) dialog->setToneSetting(o.toneNo, o.toneName);
    dialog->setToneBC_OpenState(false);
    dialog->setImageSource(o.source);
    dialog->createFavoriteDialog();
    dialog->setInitSetting();
    dialog->setShowSaveMsg(o.showSaveMsg, o.thumbnails);
    dialog->setExposureOpen(true);
    if (o.messages) dialog->setMessageState_BookCorrect(false, true, true, true, true, true, true, false);
    if (o.outputSize) dialog->setOutputSizeName(o.outputSize, {4, 400, 10.16}, {6, 600, 15.24}, true);
    dialog->setDialogState(fnd::makeShared(fnd::Dictionary{{"ToneCurveOpen", true}}));
    dialog->showFavoriteDialog();
    closer = std::make_unique<settings2_test::S2Posts>(
        std::vector<std::string>{Quirel_FavoriteDialog::kSavePost, Quirel_FavoriteDialog::kCancelPost});
    closeTokens.clear();
    for (const char* post : {Quirel_FavoriteDialog::kSavePost, Quirel_FavoriteDialog::kCancelPost})
      closeTokens.push_back(fnd::NotificationCenter::defaultCenter().observe(
          post, dialog.get(), [this](const fnd::Notification&) { dialog->closeFavoriteDialog(); }));
  }
  void TearDown() override {
    closeTokens.clear();
    if (dialog) dialog->getWindow()->orderOut();
    EXPECT_EQ(s2App().pendingModalResponders(), 0u) << "a message box that was expected did not show";
  }
  void typeName(const std::string& text) {
    dialog->getWindow()->makeFirstResponder(dialog->nameField()->getTextF());
    dialog->nameField()->getTextF()->replaceText(text);
  }
  void click(Quirel_CTRLS_PushButton* button) { button->getPushBT()->performClick(); }
  bool enabled(Quirel_CTRLS_PushButton* button) { return button->getPushBT()->isEnabled(); }
  void add(const std::string& name) {
    typeName(name);
    click(dialog->addButton());
  }
  std::string name() const { return dialog->nameField()->getStringValue(); }
  const Quirel_FavoriteFile::List& platen() const { return dialog->list(Quirel_FavoriteFile::kPlaten); }
  std::string filePath() const { return folder + "Favorite.xml"; }
  void writeFile(const fnd::Array& entries) {
    ASSERT_TRUE(fnd::PropertyList::writeFile(fnd::Value(entries), filePath()));
  }
  fnd::Array readFile() const {
    const auto back = fnd::PropertyList::readFile(filePath());
    return back.ok() ? back.value->toArray() : fnd::Array();
  }

  settings2_test::S2Texts texts;
  FavoriteBoxes boxes;
  std::string folder = favoriteDialogFolder();
  CropList crops;
  Quirel_CropInfo templ;
  Quirel_PreferenceInfo prefs;
  std::unique_ptr<Quirel_UIScannerInfo> info;
  std::unique_ptr<Quirel_FavoriteDialog> dialog;
  std::unique_ptr<settings2_test::S2Posts> closer;
  std::vector<fnd::NotificationCenter::Token> closeTokens;
};

}  // namespace

TEST_F(FavoriteDialogTest, WithoutAFileSaveWritesOnlyTheNewEntryWithTheFocusCropsSettings) {
  crop(600, true);
  crop(1200, false);
  crop(2400, true);  // the last focused crop is the one recorded
  open({.toneNo = 4, .toneName = "Cool", .showSaveMsg = false, .messages = true, .outputSize = "Postcard"});
  EXPECT_EQ(name(), "Custom");
  EXPECT_FALSE(enabled(dialog->deleteButton()));
  EXPECT_FALSE(enabled(dialog->saveButton()));
  // Tool tips follow the enabled state.
  EXPECT_TRUE(dialog->saveButton()->getPushBT()->toolTip().empty());
  EXPECT_FALSE(dialog->addButton()->getPushBT()->toolTip().empty());
  // Blanks, the em-size space among them, do not count and are dropped around the name.
  for (const char* blank : {"   ", "\u3000 \u3000", ""}) {
    typeName(blank);
    EXPECT_FALSE(enabled(dialog->addButton())) << "[" << blank << "]";
  }
  add(" \u3000Holiday\u3000 ");
  ASSERT_EQ(platen().size(), 1u);
  EXPECT_EQ(platen()[0]->getName(), "Holiday");
  EXPECT_EQ(name(), "Custom");  // a fresh default name for the next one
  EXPECT_TRUE(enabled(dialog->saveButton()));
  EXPECT_EQ(dialog->saveButton()->getPushBT()->toolTip(), "Save the list and close");
  EXPECT_EQ(dialog->getLastAddIndex(), platen()[0]->getIndex());

  click(dialog->saveButton());
  EXPECT_EQ(closer->seen, std::vector<std::string>{Quirel_FavoriteDialog::kSavePost});
  EXPECT_TRUE(dialog->getWindow()->closeFlg());
  const fnd::Array stored = readFile();
  ASSERT_EQ(stored.size(), 1u);
  const Quirel_FavoriteSetting back(stored[0].toDictionary());
  EXPECT_EQ(back.getName(), "Holiday");
  EXPECT_EQ(back.getResolution(), 2400);
  EXPECT_EQ(back.getThreshold(), 240);
  EXPECT_EQ(back.getLightCorrect(), 2);
  EXPECT_EQ(back.getLampTime(), 7);
  EXPECT_EQ(back.getColorSetting(), 2);  // the preferences' setting for the crop's colour mode
  EXPECT_EQ(back.getSaveName(), "scan");
  EXPECT_FALSE(back.getToneBC_OpenState());
  EXPECT_EQ(back.getToneSettingNo(), 4);
  EXPECT_EQ(back.getToneSettingName(), "Cool");
  EXPECT_TRUE(back.getExposureOpen());
  ASSERT_TRUE(back.getDialogState());
  EXPECT_TRUE(back.getDialogState()->boolean("ToneCurveOpen"));
  EXPECT_FALSE(back.getShowBookCorrectMessage());
  EXPECT_FALSE(back.getShowColorModeAndDataFormatMessage());
  EXPECT_FALSE(back.getShowSaveFavoriteMessage());
  EXPECT_EQ(back.getOutputSizeName(), "Postcard");
  EXPECT_TRUE(back.getOutputSizeRotated());
  EXPECT_DOUBLE_EQ(back.getOutputSizeHeight().pixel, 600);
}

TEST_F(FavoriteDialogTest, WithoutCropsTheTemplateCropIsRecorded) {
  open();
  add("Plain");
  ASSERT_EQ(platen().size(), 1u);
  EXPECT_EQ(platen()[0]->getResolution(), 300);
  EXPECT_EQ(platen()[0]->getThreshold(), 60);
}

TEST_F(FavoriteDialogTest, ReservedNamesAndCaseDuplicatesAndWhatAnOverwriteKeeps) {
  Quirel_FavoriteSetting old(5, std::string("Holiday"));
  old.setToneSettingNo(3);
  old.setToneSettingName(std::string("Warm"));
  old.setShowBookCorrectMessage(false);
  old.setOutputSizeName(std::string("Postcard"));
  old.setResolution(150);
  writeFile({fnd::Value(old.getDictionary()), fnd::Value(favoriteEntry(6, 0, "Other"))});
  crop(800, true);
  open();
  boxes.answer({1, 0, 1});
  add("User Settings");  // reserved: refused
  add("HOLIDAY");        // Cancel leaves the entry
  EXPECT_EQ(platen()[0]->getName(), "Holiday");
  EXPECT_EQ(platen()[0]->getResolution(), 150);
  add("HOLIDAY");        // OK overwrites it
  ASSERT_EQ(boxes.texts.size(), 3u);
  EXPECT_NE(boxes.texts[0].find("reserved"), std::string::npos) << boxes.texts[0];
  EXPECT_NE(boxes.texts[1].find("“HOLIDAY” already exists"), std::string::npos) << boxes.texts[1];
  ASSERT_EQ(platen().size(), 2u);
  const Quirel_FavoriteSetting& entry = *platen()[0];
  EXPECT_EQ(entry.getName(), "HOLIDAY");
  EXPECT_EQ(entry.getIndex(), 5);
  EXPECT_EQ(entry.getResolution(), 800);
  // Nothing handed in for these: the entry keeps its own.
  EXPECT_EQ(entry.getToneSettingNo(), 3);
  EXPECT_EQ(entry.getToneSettingName(), "Warm");
  EXPECT_FALSE(entry.getShowBookCorrectMessage());
  EXPECT_EQ(entry.getOutputSizeName(), "Postcard");
  EXPECT_EQ(dialog->getLastAddIndex(), 5);
  EXPECT_TRUE(enabled(dialog->saveButton()));
}

TEST_F(FavoriteDialogTest, ATenthEntryFillsTheListEvenWhenTheFileHoldsMore) {
  for (int count : {10, 12}) {
    fnd::Array entries;
    for (int i = 0; i < count; ++i) entries.push_back(fnd::Value(favoriteEntry(100 + i, 0, "F" + std::to_string(i))));
    entries.push_back(fnd::Value(favoriteEntry(200, 1, "Film")));
    writeFile(entries);
    open();
    EXPECT_EQ(dialog->listView()->selectedRow(), 9) << count;
    EXPECT_EQ(name(), "F9");
    EXPECT_TRUE(enabled(dialog->deleteButton()));
    EXPECT_FALSE(enabled(dialog->saveButton()));
    boxes.answer({1});
    add("Eleventh");
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "No more than 10 entries can be stored. Delete an entry first.");
    EXPECT_EQ(platen().size(), static_cast<std::size_t>(count));
    // Overwriting still works, and leaves the overwritten entry selected and named.
    boxes.answer({1});
    add("f3");
    EXPECT_EQ(platen()[3]->getName(), "f3");
    EXPECT_EQ(dialog->listView()->selectedRow(), 3);
    EXPECT_EQ(name(), "f3");
    boxes.texts.clear();
    // The negative-film list is another list: not full.
    open({.source = 3});
    EXPECT_EQ(dialog->listView()->numberOfRows(), 1);
    EXPECT_EQ(name(), "Custom");
  }
}

TEST_F(FavoriteDialogTest, AFullListShowsItsSelectedRowOnOpeningAndAfterAnOverwrite) {
  // A name wider than the list adds the horizontal scroller, which takes room from the rows.
  for (bool wide : {false, true}) {
    fnd::Array entries;
    for (int i = 0; i < 10; ++i)
      entries.push_back(fnd::Value(favoriteEntry(100 + i, 0, wide && i == 2 ? std::string(32, 'W') : "F" + std::to_string(i))));
    writeFile(entries);
    open();
    kit::TableView* table = dialog->listView()->getTableView();
    auto rowShown = [&](int n) {
      const fnd::Rect visible = table->visibleRect();
      const fnd::Rect row = table->rectOfRow(n);
      return dialog->listView()->selectedRow() == n && !row.isEmpty() && row.minY() >= visible.minY() &&
             row.maxY() <= visible.maxY();
    };
    EXPECT_TRUE(rowShown(9)) << "on opening, wide " << wide;
    // The first entry overwritten while the list shows its end.
    dialog->listView()->getScrollView()->scrollToPoint({0, table->rectOfRow(9).maxY()});
    boxes.answer({1});
    add("F0");
    EXPECT_TRUE(rowShown(0)) << "after overwriting, wide " << wide;
    boxes.texts.clear();
  }
}

TEST_F(FavoriteDialogTest, IndexesDefaultNamesAndDeletingTheLastAdded) {
  writeFile({fnd::Value(favoriteEntry(134507123, 1, "Taken index"))});
  open();
  dialog->setClock([] { return ((13 * 60 + 45) * 60 + 7) * 1000LL + 123; });  // 13:45:07.123, twice
  add("Custom");
  EXPECT_EQ(name(), "Custom-2");
  add(name());
  EXPECT_EQ(name(), "Custom-3");
  ASSERT_EQ(platen().size(), 2u);
  // The negative list's entry already has the time's index: the adds count on from it.
  EXPECT_EQ(platen()[0]->getIndex(), 134507124);
  EXPECT_EQ(platen()[1]->getIndex(), 134507125);
  EXPECT_EQ(dialog->getLastAddIndex(), 134507125);
  // Deleting another entry keeps the last index; deleting the last added clears it.
  dialog->listView()->getTableView()->performClickOnRow(0);
  EXPECT_EQ(name(), "Custom");
  EXPECT_TRUE(enabled(dialog->deleteButton()));
  boxes.answer({0, 1});
  click(dialog->deleteButton());  // Cancel keeps it
  EXPECT_EQ(platen().size(), 2u);
  click(dialog->deleteButton());
  ASSERT_EQ(boxes.texts.size(), 2u);
  EXPECT_EQ(boxes.texts[1], "Do you want to delete “Custom”?");
  ASSERT_EQ(platen().size(), 1u);
  EXPECT_EQ(dialog->getLastAddIndex(), 134507125);
  EXPECT_EQ(name(), "Custom");
  EXPECT_FALSE(enabled(dialog->deleteButton()));
  dialog->listView()->getTableView()->performClickOnRow(0);
  boxes.answer({1});
  click(dialog->deleteButton());
  EXPECT_EQ(dialog->getLastAddIndex(), -1);
  EXPECT_TRUE(platen().empty());
}

TEST_F(FavoriteDialogTest, SaveWritesPlatenNegativePositiveAndKeepsWhatNoListShows) {
  const fnd::Dictionary otherSource = favoriteEntry(60, 6, "Source six");
  writeFile({fnd::Value(favoriteEntry(20, 2, "Posi")), fnd::Value(otherSource), fnd::Value("loose"),
             fnd::Value(favoriteEntry(10, 0, "Platen")), fnd::Value(favoriteEntry(30, 3, "Nega"))});
  crop(1200, true, 1);
  open({.source = 1});
  EXPECT_EQ(dialog->listView()->numberOfRows(), 1);
  add("New film");
  click(dialog->saveButton());
  const fnd::Array stored = readFile();
  std::vector<std::string> names;
  for (const fnd::Value& v : stored) names.push_back(v.isDictionary() ? v.toDictionary().string("Name") : v.toString());
  EXPECT_EQ(names, (std::vector<std::string>{"Platen", "Nega", "New film", "Posi", "Source six", "loose"}));
  EXPECT_EQ(stored[4].toDictionary(), otherSource);

  // With a source outside 0 to 4 the list is empty and nothing can be added; Save changes nothing.
  const std::string before = testenv::readFile(filePath());
  open({.source = 6});
  EXPECT_EQ(dialog->listView()->numberOfRows(), 0);
  EXPECT_FALSE(enabled(dialog->addButton()));
  typeName("Anything");
  EXPECT_FALSE(enabled(dialog->addButton()));
  click(dialog->addButton());
  click(dialog->cancelButton());
  EXPECT_EQ(closer->seen, std::vector<std::string>{Quirel_FavoriteDialog::kCancelPost});
  EXPECT_EQ(testenv::readFile(filePath()), before);
}

TEST_F(FavoriteDialogTest, TheSaveNoticeShowsOnlyForSeveralCrops) {
  crop(600, true);
  open();
  add("Single");  // one crop: no notice
  EXPECT_EQ(platen().size(), 1u);

  crop(1200, false);
  open({.thumbnails = true});
  boxes.notice(0, false);
  add("Abandoned");
  EXPECT_TRUE(platen().empty());
  boxes.notice(1, true);
  add("Two crops");
  ASSERT_EQ(boxes.texts.size(), 2u);
  EXPECT_NE(boxes.texts[0].find("thumbnail"), std::string::npos) << boxes.texts[0];
  EXPECT_EQ(platen().size(), 1u);
  EXPECT_FALSE(dialog->getShowSaveMsg());
  add("No notice now");
  EXPECT_EQ(platen().size(), 2u);

  open();
  boxes.notice(1, false);
  add("Areas");
  ASSERT_EQ(boxes.texts.size(), 3u);
  EXPECT_NE(boxes.texts[2].find("Only one area's settings"), std::string::npos) << boxes.texts[2];
  EXPECT_TRUE(dialog->getShowSaveMsg());

  open({.showSaveMsg = false});
  add("Switched off");
  EXPECT_EQ(boxes.texts.size(), 3u);
}

TEST_F(FavoriteDialogTest, AFailedSaveKeepsTheDialogAndTheFileAndPostsNothing) {
  writeFile({fnd::Value(favoriteEntry(41, 0, "Kept"))});
  const std::string before = testenv::readFile(filePath());
  open();
  add("New");
  const std::string dir = folder.substr(0, folder.size() - 1);
  testenv::whileUnwritable(dir, [&] {
    boxes.answer({1});
    click(dialog->saveButton());
  });
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_NE(boxes.texts[0].find("could not be saved"), std::string::npos);
  EXPECT_NE(boxes.texts[0].find(filePath()), std::string::npos);
  EXPECT_TRUE(closer->seen.empty());
  EXPECT_FALSE(dialog->getWindow()->closeFlg());
  EXPECT_EQ(testenv::readFile(filePath()), before);
  click(dialog->saveButton());
  EXPECT_EQ(closer->seen, std::vector<std::string>{Quirel_FavoriteDialog::kSavePost});
  EXPECT_EQ(readFile().size(), 2u);
}

TEST_F(FavoriteDialogTest, HostileFilesOpenSafely) {
  const std::vector<std::string> hostile = {
      std::string("\x00\x01garbage", 9),
      "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>Name</key><string>x</string></dict></plist>",
  };
  for (const std::string& bytes : hostile) {
    std::ofstream(filePath(), std::ios::binary | std::ios::trunc) << bytes;
    open();
    EXPECT_EQ(dialog->listView()->numberOfRows(), 0);
    add("New");
    click(dialog->saveButton());
    EXPECT_EQ(closer->seen, std::vector<std::string>{Quirel_FavoriteDialog::kSavePost});
    EXPECT_EQ(testenv::readFile(filePath() + ".unreadable"), bytes);
    EXPECT_EQ(readFile().size(), 1u);
  }
  // Wrong kinds read as nothing and never stop the others from loading.
  fnd::Dictionary odd{{"Name", fnd::Value(7)}, {"Index", fnd::Value("x")}, {"ImageSource", fnd::Value(0)},
                      {"Threshold", fnd::Value(fnd::Array{})}};
  writeFile({fnd::Value(odd), fnd::Value(42), fnd::Value(favoriteEntry(9, 0, "Fine"))});
  open();
  EXPECT_EQ(dialog->listView()->numberOfRows(), 2);
  add("Fresh");
  click(dialog->saveButton());
  const fnd::Array stored = readFile();
  ASSERT_EQ(stored.size(), 4u);
  EXPECT_EQ(stored[1].toDictionary().string("Name"), "Fine");
  EXPECT_EQ(stored[2].toDictionary().string("Name"), "Fresh");
  EXPECT_EQ(stored[3].toInt(), 42);
}

TEST_F(FavoriteDialogTest, TheOpenersModalRunEndsOnSave) {
  open();
  // Whatever lowered it, the dialog takes level 11 back when it becomes key.
  dialog->getWindow()->setLevel(0);
  dialog->getWindow()->resignKeyWindow();
  dialog->getWindow()->makeKeyWindow();
  EXPECT_EQ(dialog->getWindow()->level(), 11);
  s2App().onNextModalWindow([this](kit::Window&) {
    add("Modal");
    click(dialog->saveButton());
  });
  // The opener's handler closes the window, which ends the run.
  s2App().runModalForWindow(*dialog->getWindow());
  EXPECT_EQ(closer->seen, std::vector<std::string>{Quirel_FavoriteDialog::kSavePost});
  EXPECT_TRUE(dialog->getWindow()->closeFlg());
  EXPECT_FALSE(dialog->getWindow()->isVisible());
  EXPECT_EQ(readFile().size(), 1u);
}

TEST_F(FavoriteDialogTest, PictureOfTheFavouritesManager) {
  fnd::Array entries;
  for (const char* n : {"Everyday colour", "Documents 300 dpi", "Photos, fine detail", "Old prints, faded",
                        "Line art for the web"})
    entries.push_back(fnd::Value(favoriteEntry(static_cast<int>(entries.size()) + 1, 0, n)));
  writeFile(entries);
  open();
  dialog->listView()->getTableView()->performClickOnRow(2);
  auto& w = *dialog->getWindow();
  w.contentView()->display();
  const std::string png = settings2_test::s2PngPath("settings-favorites.png");
  EXPECT_TRUE(w.grabToPng(png));
  std::cout << "gallery: " << png << "\n";
}
