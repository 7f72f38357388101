// Tab and Shift-Tab on the advanced page, pressed as Qt keys in a real main window: from the
// preview through the typed fields in the panel's order, the exposure field in film mode, and
// back to the preview, passing over fields that are disabled or hidden at the time.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <filesystem>

#include "ExtendModePanelRig.h"
#include "ExtendModeWindowRig.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/NumberField.h"
#include "ui/controls/PreviewView.h"

namespace {

using Responders = std::vector<kit::Responder*>;

// The mode's typed fields by their index (input W, H, resolution, magnification, output W, H,
// exposure), reached through a member pointer taken where the name is public.
struct FieldPeek : Quirel_ExtendMode {
  using Quirel_ExtendMode::numberTextField;
};

struct LoopRig : extend_rig::WindowRig {
  LoopRig() : WindowRig(extend_rig::allCorrections()) {
    const fnd::Dictionary entry = extend_rig::valuesModelEntry();
    mode.setExtendItem(&entry, true);
    mode.setFrameExtendItem();
    mode.resetPreview({2550, 3508}, false, false);
    Quirel_CropInfo& t = *mode.mTemplateCrop;
    t.setUnit(0);
    t.setInputSize_Pixel96(600, 900);
    t.setOutputSize_Pixel96({600, 900});
    window().makeKeyAndOrderFront();
  }
  // The real value display (the rig's mode only notes the calls).
  void showValues() { mode.Quirel_ExtendMode::setValueOfSelectedCrop(0); }
  kit::View* preview() const { return mode.mPreview->getImageView(); }
  kit::View* inputWidth() const { return mode.mInSizeWTextF->getNumberTxtF(); }
  kit::View* magnification() const { return mode.mMagnification->getNumberTxtF(); }
  kit::View* exposure() const { return mode.mExposureField->getNumberTxtF(); }
  kit::View* field(int index) const { return (mode.*(&FieldPeek::numberTextField))(index); }
  // A key where Qt delivers it: the focused editor, else the window's own widget.
  void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget* target = window().nativeWidget();
    if (auto* f = dynamic_cast<kit::TextField*>(window().firstResponder())) target = f->lineEdit();
    QKeyEvent e(QEvent::KeyPress, key, mods, key == Qt::Key_Tab ? QStringLiteral("\t") : QString());
    QApplication::sendEvent(target, &e);
  }
  Responders walk(int presses, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    Responders seen;
    for (int i = 0; i < presses; ++i) {
      press(key, mods);
      seen.push_back(window().firstResponder());
    }
    return seen;
  }
};

// Whether the view shows within the list that holds it (true outside any list).
bool inSight(kit::View* v) {
  for (kit::View* a = v->superview(); a; a = a->superview()) {
    if (!a->isClipView()) continue;
    const fnd::Rect r = a->convertRectFromView(v->bounds(), v);
    const fnd::Rect shown = a->bounds();
    return r.minY() >= shown.minY() && r.maxY() <= shown.maxY();
  }
  return true;
}

TEST(ExtendModeKeyLoop, OnThePlatenTabGoesFromThePreviewThroughTheSizeFieldsAndBack) {
  LoopRig rig;
  rig.showValues();
  ASSERT_TRUE(rig.window().makeFirstResponder(rig.preview()));
  // Input width, height, resolution, output width, height, magnification; no exposure on the
  // platen.
  const Responders forward{rig.field(0), rig.field(1), rig.field(2), rig.field(4),
                           rig.field(5), rig.magnification(), rig.preview()};
  EXPECT_EQ(rig.walk(7, Qt::Key_Tab), forward);
  const Responders back{rig.magnification(), rig.field(5), rig.field(4), rig.field(2),
                        rig.field(1), rig.field(0), rig.preview()};
  EXPECT_EQ(rig.walk(7, Qt::Key_Backtab, Qt::ShiftModifier), back);

  // A named output size empties and disables the input fields: Tab passes them over.
  rig.mode.mTemplateCrop->setOutputSize(3);
  rig.showValues();
  ASSERT_FALSE(rig.mode.mInSizeWTextF->getNumberTxtF()->isEnabled());
  EXPECT_EQ(rig.walk(1, Qt::Key_Tab), Responders{rig.field(2)});
}

TEST(ExtendModeKeyLoop, InFilmModeTheOpenExposureFieldComesAfterTheMagnification) {
  LoopRig rig;
  rig.mode.mScanMode = 2;
  rig.mode.mHasPreview = true;
  rig.mode.mTemplateCrop->setExposure(true);
  rig.mode.mTemplateCrop->setExposureValue(120);
  rig.mode.setExposureSettingViewState(true, false);
  rig.showValues();
  ASSERT_FALSE(rig.exposure()->isHiddenOrHasHiddenAncestor());
  ASSERT_TRUE(rig.window().makeFirstResponder(rig.magnification()));
  EXPECT_EQ(rig.walk(3, Qt::Key_Tab), (Responders{rig.exposure(), rig.preview(), rig.inputWidth()}));
  EXPECT_EQ(rig.walk(3, Qt::Key_Backtab, Qt::ShiftModifier),
            (Responders{rig.preview(), rig.exposure(), rig.magnification()}));
  // Tab into a field selects its text, ready to be typed over, and brings it into sight.
  // The settings list scrolled to its other end first, leaving the field out of sight.
  kit::View* list = rig.exposure()->superview();
  while (list && !list->isClipView()) list = list->superview();
  ASSERT_NE(list, nullptr);
  list->scrollToPoint({0, list->bounds().minY() + 1000});
  ASSERT_FALSE(inSight(rig.exposure()));
  rig.press(Qt::Key_Tab);
  auto* field = static_cast<kit::TextField*>(rig.exposure());
  EXPECT_EQ(rig.window().firstResponder(), field);
  EXPECT_TRUE(inSight(field));
  EXPECT_EQ(field->lineEdit()->selectedText().toStdString(), field->stringValue());
  EXPECT_EQ(field->stringValue(), "120");

  // A picture of the page with the exposure field focused by Tab.
  const std::filesystem::path png = std::filesystem::current_path() / "advanced-tab-focus.png";
  rig.window().contentView()->display();
  EXPECT_TRUE(rig.window().grabToPng(png.string()));
}

}  // namespace
