// The output-size editor driven as a user would: typing, Tab, list clicks, buttons, the
// pop-ups, message boxes answered; then the lists, the results and the file on disk.

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
#include "kit/Menu.h"
#include "ui/controls/CTRLS_OUTDestinationPopup.h"
#include "ui/controls/CTRLS_OUTDisplayListView.h"
#include "ui/controls/CTRLS_OUTHeightTextF.h"
#include "ui/controls/CTRLS_OUTPrintListView.h"
#include "ui/controls/CTRLS_OUTSetNameTextF.h"
#include "ui/controls/CTRLS_OUTUnitPopup.h"
#include "ui/controls/CTRLS_OUTWidthTextF.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusPopUpButton.h"
#include "ui/controls/NumberField.h"
#include "ui/controls/StringField.h"
#include "ui/controls/TableView.h"
#include "ui/model/OutputSizeFile.h"
#include "ui/settings/OutputSizeDialog.h"
#include "ui/settings/OutputSizeDialogWindow.h"
#include "ui/windows/ShowMessageDialog.h"
#include "TestFiles.h"

namespace {

using settings2_test::s2App;

std::string outputDialogFolder() {
  return testenv::emptyFolderAt(std::filesystem::path(fnd::Paths::configDir()) / "outputsizedialog") + "/";
}

Quirel_OutputSize outputDialogEntry(int index, int dest, const std::string& name, int unit, double w, double h) {
  Quirel_OutputSize s(index, dest, name, unit);
  s.setSize(unit, w, h);
  return s;
}

// Answers the coming message boxes in order (1 OK, 0 Cancel), keeping their texts.
class OutputDialogBoxes {
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
  std::vector<std::string> texts;
};

class OutputSizeDialogTest : public ::testing::Test {
 protected:
  void open(bool v1300, bool v1400, int mode = 1, int destination = 0, int defaultUnit = 0,
            std::vector<int> used = {}, bool roundDown = false) {
    info = settings2_test::s2Scanner(v1300, v1400, false, false, {{"RoundDownOutputSizeDialog", roundDown}});
    dialog = std::make_unique<Quirel_OutputSizeDialog>(mode, folder, destination,
                                                       std::vector<std::string>{"A4", "Letter"}, std::move(used),
                                                       defaultUnit, info.get());
    dialog->createOutputSizeDialog();
    dialog->getWindow()->orderFront();
  }
  void TearDown() override {
    if (dialog) dialog->getWindow()->orderOut();
    EXPECT_EQ(s2App().pendingModalResponders(), 0u) << "a message box that was expected did not show";
  }
  void type(kit::TextField* field, const std::string& text) {
    dialog->getWindow()->makeFirstResponder(field);
    field->replaceText(text);
  }
  void typeName(const std::string& text) { type(dialog->nameField()->getTextF(), text); }
  void typeWidth(const std::string& text) { type(dialog->widthField()->getNumberTxtF(), text); }
  void typeHeight(const std::string& text) { type(dialog->heightField()->getNumberTxtF(), text); }
  // Tab: the focus moves on, from a number field to the name field, from the name to the width.
  void tab(kit::TextField* field) {
    kit::TextField* next = field == dialog->nameField()->getTextF() ? static_cast<kit::TextField*>(dialog->widthField()->getNumberTxtF())
                                                                     : dialog->nameField()->getTextF();
    dialog->getWindow()->makeFirstResponder(next);
  }
  void choose(Quirel_NoFocusPopUpButton* popup, int item) {
    kit::Menu::onNextPopUp([item](kit::Menu&) { return item; });
    popup->performClick();
  }
  void click(Quirel_CTRLS_PushButton* button) { button->getPushBT()->performClick(); }
  bool enabled(Quirel_CTRLS_PushButton* button) { return button->getPushBT()->isEnabled(); }
  void add(const std::string& name, const std::string& w, const std::string& h) {
    typeName(name);
    typeWidth(w);
    tab(dialog->widthField()->getNumberTxtF());
    typeHeight(h);
    tab(dialog->heightField()->getNumberTxtF());
    click(dialog->addButton());
  }
  void writeFile(const std::vector<Quirel_OutputSize>& sizes) { ASSERT_TRUE(Quirel_OutputSizeFile::write(folder, sizes)); }
  std::string filePath() const { return folder + "OutputSize.xml"; }

  settings2_test::S2Texts texts;
  OutputDialogBoxes boxes;
  std::string folder = outputDialogFolder();
  std::unique_ptr<Quirel_UIScannerInfo> info;
  std::unique_ptr<Quirel_OutputSizeDialog> dialog;
};

}  // namespace

TEST_F(OutputSizeDialogTest, TypedValuesAreRoundedDownAndHeldToTheirRange) {
  open(false, false);  // an older record: inches with the oldest messages
  EXPECT_EQ(dialog->unit(), 0);
  typeWidth("0.039");
  EXPECT_FALSE(dialog->unitPopup()->getPopupBT()->menuOnOff());  // out of range: the menus wait
  boxes.answer({1});
  tab(dialog->widthField()->getNumberTxtF());
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(boxes.texts[0], "Enter a value from 0.04 to 33.33 inches.");
  EXPECT_EQ(dialog->widthField()->getStringValue(), "0.04");
  typeWidth("1.239");
  EXPECT_TRUE(dialog->unitPopup()->getPopupBT()->menuOnOff());
  tab(dialog->widthField()->getNumberTxtF());
  EXPECT_EQ(dialog->widthField()->getStringValue(), "1.23");
  typeHeight("0.29");
  tab(dialog->heightField()->getNumberTxtF());
  EXPECT_EQ(dialog->heightField()->getStringValue(), "0.29");  // decimal: 0.29 stays 0.29
  EXPECT_EQ(boxes.texts.size(), 1u);
}

TEST_F(OutputSizeDialogTest, MillimetresOnNewerModelsStoreCentimetres) {
  open(true, false, 1, 0, 1);
  EXPECT_EQ(dialog->unit(), 1);
  EXPECT_EQ(dialog->widthField()->getStringValue(), "127.0");  // 12.7 cm shown as millimetres
  typeWidth("900");
  boxes.answer({1});
  tab(dialog->widthField()->getNumberTxtF());
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(boxes.texts[0], "Enter a value from 1.0 to 846.6 mm.");
  EXPECT_EQ(dialog->widthField()->getStringValue(), "846.6");
  typeName("Poster");
  click(dialog->addButton());
  ASSERT_EQ(dialog->printList().size(), 1u);
  EXPECT_NEAR(dialog->printList()[0].getOutputWidth().cm, 84.66, 1e-9);
  EXPECT_EQ(dialog->printList()[0].getUnit(), 1);
}

TEST_F(OutputSizeDialogTest, TheWidthToHeightRatioIsChecked) {
  open(true, true);
  struct Case {
    const char *w, *h;
    bool refused;
  };
  const std::vector<Case> cases = {{"0.1", "7.4", true}, {"5.4", "0.1", true}, {"0.1", "7.3", false}};
  int stored = 0;
  for (const Case& c : cases) {
    if (c.refused) boxes.answer({1});
    add(std::string("R") + c.w + "x" + c.h, c.w, c.h);
    if (!c.refused) ++stored;
    EXPECT_EQ(dialog->printList().size(), static_cast<std::size_t>(stored)) << c.w << " x " << c.h;
  }
  ASSERT_EQ(boxes.texts.size(), 2u);
  EXPECT_EQ(boxes.texts[0], "The ratio of width to height is out of range.");
}

TEST_F(OutputSizeDialogTest, TenEntriesFillAListButNotTheOther) {
  std::vector<Quirel_OutputSize> sizes;
  for (int i = 0; i < 10; ++i) sizes.push_back(outputDialogEntry(100 + i, 0, "P" + std::to_string(i), 0, 4, 6));
  writeFile(sizes);
  open(true, true);
  // Opened on the tenth entry.
  EXPECT_EQ(dialog->printTable()->selectedRow(), 9);
  EXPECT_EQ(dialog->nameField()->getStringValue(), "P9");
  EXPECT_FALSE(enabled(dialog->addButton()));
  EXPECT_TRUE(enabled(dialog->deleteButton()));
  boxes.answer({1});
  add("Eleventh", "4", "6");
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(boxes.texts[0], "No more than 10 entries can be stored. Delete an entry first.");
  EXPECT_EQ(dialog->printList().size(), 10u);
  // The screen list is independent.
  choose(dialog->destinationPopup()->getPopupBT(), 1);
  EXPECT_EQ(dialog->destination(), Quirel_OutputSizeDialog::kDisplay);
  EXPECT_EQ(dialog->unit(), 2);
  EXPECT_EQ(dialog->widthField()->getStringValue(), "640");
  add("Screen", "800", "600");
  ASSERT_EQ(dialog->displayList().size(), 1u);
  EXPECT_EQ(dialog->displayList()[0].getDestination(), 1);
  EXPECT_DOUBLE_EQ(dialog->displayList()[0].getOutputWidth().pixel, 800);
}

TEST_F(OutputSizeDialogTest, NamesBlanksDefaultsAndBuiltInNames) {
  writeFile({outputDialogEntry(1, 0, "Custom", 0, 4, 6), outputDialogEntry(2, 1, "custom-2", 2, 640, 480)});
  open(true, true);
  EXPECT_EQ(dialog->nameField()->getStringValue(), "Custom-3");
  for (const char* blank : {"   ", "\u3000 \u3000", ""}) {
    typeName(blank);
    EXPECT_FALSE(enabled(dialog->addButton())) << "[" << blank << "]";
  }
  typeName(" \u3000Holiday  ");
  EXPECT_TRUE(enabled(dialog->addButton()));
  click(dialog->addButton());
  ASSERT_EQ(dialog->printList().size(), 2u);
  EXPECT_EQ(dialog->printList()[1].getName(), "Holiday");
  // A built-in name, and a name of the other list, are refused.
  boxes.answer({1, 1});
  add("A4", "4", "6");
  add("CUSTOM-2", "4", "6");
  ASSERT_EQ(boxes.texts.size(), 2u);
  EXPECT_EQ(boxes.texts[0], "The name “A4” is already used. Enter another name.");
  EXPECT_EQ(dialog->printList().size(), 2u);
}

TEST_F(OutputSizeDialogTest, AddOverwriteAndDeleteReportTheirIndexes) {
  writeFile({outputDialogEntry(11, 0, "Kept", 0, 4, 6), outputDialogEntry(12, 0, "InUse", 0, 5, 7)});
  open(true, true, 1, 0, 0, {12});
  // An index in use cannot be deleted.
  dialog->printTable()->getTableView()->performClickOnRow(1);
  EXPECT_EQ(dialog->nameField()->getStringValue(), "InUse");
  EXPECT_FALSE(enabled(dialog->deleteButton()));
  dialog->printTable()->getTableView()->performClickOnRow(0);
  EXPECT_TRUE(enabled(dialog->deleteButton()));
  EXPECT_EQ(dialog->widthField()->getStringValue(), "4.00");

  add("Fresh", "3", "2");
  const int fresh = dialog->getLastIndex();
  EXPECT_EQ(dialog->getLastIndex(0), fresh);
  EXPECT_EQ(dialog->getLastIndex(1), -1);
  EXPECT_EQ(dialog->getLastIndex(7), -1);
  // Overwrite "kept" (another case): its index stays, the typed name is taken.
  boxes.answer({1});
  add("KEPT", "2", "3");
  EXPECT_EQ(dialog->printList()[0].getName(), "KEPT");
  EXPECT_EQ(dialog->printList()[0].getIndex(), 11);
  EXPECT_DOUBLE_EQ(dialog->printList()[0].getOutputWidth().inch, 2);
  EXPECT_EQ(dialog->getUpdateIndex(), std::vector<int>{11});
  EXPECT_EQ(dialog->getLastIndex(), 11);
  // Deleting another entry leaves the last index; deleting the last overwritten clears it.
  dialog->printTable()->getTableView()->performClickOnRow(2);
  boxes.answer({1});
  click(dialog->deleteButton());
  EXPECT_EQ(dialog->getDeleteIndex(), std::vector<int>{fresh});
  EXPECT_EQ(dialog->getLastIndex(0), 11);
  EXPECT_EQ(dialog->printList().size(), 2u);
  dialog->printTable()->getTableView()->performClickOnRow(0);
  boxes.answer({0});
  click(dialog->deleteButton());  // Cancel keeps it
  EXPECT_EQ(dialog->printList().size(), 2u);
  boxes.answer({1});
  click(dialog->deleteButton());
  EXPECT_EQ(dialog->getLastIndex(), -1);
  EXPECT_EQ(dialog->getLastIndex(0), -1);
  EXPECT_EQ(dialog->getDeleteIndex(), (std::vector<int>{fresh, 11}));
  EXPECT_TRUE(enabled(dialog->saveButton()));
}

TEST_F(OutputSizeDialogTest, SaveWritesPrintThenDisplayAndCancelWritesNothing) {
  writeFile({outputDialogEntry(21, 1, "Screen", 2, 800, 600), outputDialogEntry(22, 0, "Photo", 0, 4, 6)});
  const std::string before = testenv::readFile(filePath());
  open(true, true);
  add("Card", "3", "2");
  click(dialog->cancelButton());
  EXPECT_FALSE(dialog->isOkClose());
  EXPECT_EQ(testenv::readFile(filePath()), before);

  open(true, true);
  add("Card", "3", "2");
  s2App().onNextModalWindow([this](kit::Window&) { click(dialog->saveButton()); });
  EXPECT_EQ(dialog->showOutputSizeDialog(), 1);
  EXPECT_TRUE(dialog->isOkClose());
  EXPECT_TRUE(dialog->getWindow()->closeFlg());
  const auto back = Quirel_OutputSizeFile::read(folder);
  ASSERT_EQ(back.size(), 3u);
  EXPECT_EQ(back[0].getName(), "Photo");
  EXPECT_EQ(back[1].getName(), "Card");
  EXPECT_EQ(back[2].getName(), "Screen");
}

TEST_F(OutputSizeDialogTest, CancelWithAValuePendingOutOfRangeShowsTheRangeOnceThenCloses) {
  writeFile({outputDialogEntry(31, 0, "Photo", 0, 4, 6)});
  const std::string before = testenv::readFile(filePath());
  open(true, true);
  typeWidth("99");
  boxes.answer({1});
  click(dialog->cancelButton());
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(boxes.texts[0], "Enter a value from 0.04 to 33.33 inches.");
  EXPECT_EQ(dialog->widthField()->getStringValue(), "33.33");
  EXPECT_FALSE(dialog->getWindow()->closeFlg());
  click(dialog->cancelButton());
  EXPECT_TRUE(dialog->getWindow()->closeFlg());
  EXPECT_FALSE(dialog->isOkClose());
  EXPECT_EQ(testenv::readFile(filePath()), before);
}

TEST_F(OutputSizeDialogTest, AFailedSaveKeepsTheDialogAndTheFile) {
  writeFile({outputDialogEntry(41, 0, "Photo", 0, 4, 6)});
  const std::string before = testenv::readFile(filePath());
  open(true, true);
  add("Card", "3", "2");
  // The settings folder cannot be written: read-only, or (for the superuser) not a folder at all.
  const std::string dir = folder.substr(0, folder.size() - 1);
  testenv::whileUnwritable(dir, [&] {
    boxes.answer({1});
    click(dialog->saveButton());
  });
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_NE(boxes.texts[0].find("could not be saved"), std::string::npos);
  EXPECT_NE(boxes.texts[0].find(filePath()), std::string::npos);
  EXPECT_FALSE(dialog->isOkClose());
  EXPECT_FALSE(dialog->getWindow()->closeFlg());
  EXPECT_EQ(testenv::readFile(filePath()), before);
  // Once the folder can be written again, Save goes through.
  click(dialog->saveButton());
  EXPECT_TRUE(dialog->isOkClose());
  EXPECT_EQ(Quirel_OutputSizeFile::read(folder).size(), 2u);
}

TEST_F(OutputSizeDialogTest, HostileFilesOpenSafely) {
  const std::vector<std::string> hostile = {
      "\x00\x01garbage",
      "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>Name</key><string>x</string></dict></plist>",
  };
  for (const std::string& bytes : hostile) {
    std::ofstream(filePath(), std::ios::binary | std::ios::trunc) << bytes;
    open(true, true);
    EXPECT_TRUE(dialog->printList().empty());
    add("New", "3", "2");
    click(dialog->saveButton());
    EXPECT_TRUE(dialog->isOkClose());
    EXPECT_EQ(testenv::readFile(filePath() + ".unreadable"), bytes);
    EXPECT_EQ(Quirel_OutputSizeFile::read(folder).size(), 1u);
  }
  // Wrong kinds: elements that are no dictionaries go back as read, wrong-kind values read as 0.
  fnd::Dictionary odd{{"Name", fnd::Value(7)}, {"Index", fnd::Value("x")}, {"Destination", fnd::Value(1)}};
  fnd::Array elements{fnd::Value("loose"), fnd::Value(odd)};
  for (int i = 0; i < 12; ++i) {
    Quirel_OutputSize s = outputDialogEntry(500 + i, 0, "E" + std::to_string(i), 0, 4, 6);
    elements.push_back(fnd::Value(s.getDictionary()));
  }
  ASSERT_TRUE(fnd::PropertyList::writeFile(fnd::Value(elements), filePath()));
  open(true, true);
  EXPECT_EQ(dialog->printList().size(), 12u);
  EXPECT_EQ(dialog->displayList().size(), 1u);
  EXPECT_EQ(dialog->printTable()->selectedRow(), 9);  // twelve count as full: the tenth shows
  boxes.answer({1});
  add("Thirteenth", "3", "2");
  EXPECT_EQ(boxes.texts.size(), 1u);
  EXPECT_FALSE(enabled(dialog->saveButton()));
  choose(dialog->destinationPopup()->getPopupBT(), 1);
  add("Screen", "800", "600");
  click(dialog->saveButton());
  EXPECT_TRUE(dialog->isOkClose());
  const auto back = fnd::PropertyList::readFile(filePath());
  ASSERT_TRUE(back.ok());
  ASSERT_EQ(back.value->toArray().size(), 15u);
  EXPECT_EQ(back.value->toArray()[14].toString(), "loose");
  EXPECT_EQ(back.value->toArray()[12].toDictionary().integer("Destination"), 1);
}

TEST_F(OutputSizeDialogTest, PictureOfTheAdvancedEditorWithTenPrintSizes) {
  std::vector<Quirel_OutputSize> sizes;
  const char* names[] = {"Postcard", "Photo 10x15", "Half letter", "Square 5", "Panorama",
                         "Wallet", "Poster small", "Card", "Booklet", "Album page"};
  for (int i = 0; i < 10; ++i) sizes.push_back(outputDialogEntry(600 + i, 0, names[i], 0, 4 + i * 0.5, 6));
  writeFile(sizes);
  open(true, true);
  auto& w = *dialog->getWindow();
  w.contentView()->display();
  const std::string png = settings2_test::s2PngPath("settings-outputsize-print10.png");
  EXPECT_TRUE(w.grabToPng(png));
  std::cout << "gallery: " << png << "\n";
}
