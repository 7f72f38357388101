#pragma once

#include <memory>
#include <string>

#include "kit/Box.h"
#include "kit/TextField.h"
#include "kit/Window.h"
#include "kit/WindowDelegate.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusImageView.h"

class Quirel_UIScannerInfo;

// The notice shown before a platen preview with book correction on: a picture of how to lay
// the book, an explanation, a "do not show again" box and OK. The basic and advanced modes show
// it while their own setting for it is on and turn the setting off when it ends with the box
// ticked. It stays at level 12, and once its run has ended it takes no more events.
class Quirel_BookCorrectDialog : public kit::Window, public kit::WindowDelegate {
 public:
  static constexpr int kLevel = 12;
  static constexpr double kWidth = 360;
  static constexpr double kTextWidth = 330;
  static constexpr double kPictureHeight = 200;
  // The two pictures of the "quirel_r14" folder: newer scanners' and older ones'.
  static constexpr const char* kNewerPicture = "BOOK_EXPLANATION.tiff";
  static constexpr const char* kOlderPicture = "Book_explain.tif";
  static constexpr const char* kPictureFolder = "quirel_r14";

  // Laid out, not shown. The text and the picture follow the scanner's generation (older
  // ones without a record).
  static std::unique_ptr<Quirel_BookCorrectDialog> initWithSetting(const Quirel_UIScannerInfo* scannerInfo);
  ~Quirel_BookCorrectDialog() override;

  // 1 for OK (0 when the run was ended otherwise). The window is closed when it returns.
  int runModal();
  void clickOkBtn();
  void clickCheckBox();
  bool isChecked() const { return mChecked; }

  void windowDidBecomeKey(kit::Window& window) override;
  void windowDidUpdate(kit::Window& window) override;
  void sendEvent(const kit::Event& event) override;

  // The content height for a text of this height: the picture, the text, the box, the line and
  // OK stacked with 10 between them and 10 above OK's top.
  static double contentHeightForText(double textHeight);

  // Tests.
  Quirel_NoFocusButton* okButton() const { return mOkBtn; }
  Quirel_NoFocusButton* checkBox() const { return mCheckBox; }
  kit::Box* separator() const { return mSeparator; }
  kit::TextField* messageField() const { return mMsgTextF; }
  Quirel_NoFocusImageView* imageView() const { return mImageView; }
  const std::string& pictureName() const { return mPictureName; }

 private:
  explicit Quirel_BookCorrectDialog(const Quirel_UIScannerInfo* scannerInfo);
  std::string uiText(const std::string& key) const;

  std::string mBundleStr;
  std::string mPictureName;
  Quirel_NoFocusButton* mOkBtn = nullptr;  // views are owned by the content view
  kit::Box* mSeparator = nullptr;
  Quirel_NoFocusButton* mCheckBox = nullptr;
  kit::TextField* mMsgTextF = nullptr;
  Quirel_NoFocusImageView* mImageView = nullptr;
  bool mChecked = false;
  bool mCloseFlg = false;
};
