#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "foundation/Geometry.h"
#include "foundation/Value.h"
#include "kit/Image.h"
#include "kit/WindowDelegate.h"
#include "ui/adjust/ColorPatternInfo.h"
#include "ui/model/CropValueGroups.h"
#include "ui/model/Units.h"
#include "ui/windows/DisplayManager.h"

namespace kit {
class Box;
class Button;
class Control;
class TextField;
class Window;
}  // namespace kit
class Quirel_ColorPatternDlgWindow;
class Quirel_ColorPatternImageView;
class Quirel_CropInfo;
class Quirel_IconBezelButton;
class Quirel_PVLocalizedString;
class Quirel_PreviewFrameView;
class Quirel_ThumbnailInfo;
class Quirel_UIScannerInfo;

// The modal colour-pattern chooser: nineteen copies of the focus crop (or of its thumbnail),
// each rendered with a fixed colour balance on a hexagon around the neutral one, and six colour
// buttons that step from the chosen copy. The copies come from the HSL and resize plug-ins when
// a plug-in description is given, else from the scan module through the outward "ResizeBitmap"
// and "ExecuteHSL" requests. Created, shown once and destroyed by the basic mode, which reads
// the chosen balance afterwards. Main thread only.
class Quirel_ColorPatternDialog : public kit::WindowDelegate {
 public:
  static constexpr int kCellCount = 19;
  static constexpr int kNeutralCell = 9;
  static constexpr int kWindowLevel = 11;
  static constexpr int kMaxCellSide = 100;
  static constexpr const char* kImageBundle = "quirel_r14";
  static constexpr const char* kHSLPrepareNotification = "updateImageSetHSLPost";
  static constexpr const char* kResizeRequest = "ResizeBitmap";
  static constexpr const char* kHSLRequest = "ExecuteHSL";

  // The colour buttons, in the order of the cell table's columns.
  enum ColorButton { kButtonR = 0, kButtonG, kButtonB, kButtonC, kButtonM, kButtonY, kButtonCount };

  // One row of the cell table: where the cell sits in the left view, its balance offsets and,
  // per colour button (R G B C M Y), whether it may step and where to.
  struct CellTableRow {
    int x, y;
    int r, g, b;
    std::array<bool, kButtonCount> enabled;
    std::array<int, kButtonCount> next;
  };
  static const std::array<CellTableRow, kCellCount>& cellTable();
  // How far each colour button moves the R, G, B offsets.
  static std::array<int, 3> buttonMove(ColorButton button);

  // Where a colour button's title field goes when its text needs `textWidth` (measured within
  // 500): unchanged when it fits; else rule 0 widens it to the right, rule 1 to both sides,
  // rule 2 to both sides and then left until its right edge is at 215 at most.
  static fnd::Rect fittedTitleFrame(const fnd::Rect& frame, double textWidth, int rule);

  // The reduced size of a W x H picture: the longer side 100, the other in proportion, never 0.
  static void reducedSize(int width, int height, int* targetWidth, int* targetHeight);

  // No crop, no scanner record, scan mode 0.
  Quirel_ColorPatternDialog();
  Quirel_ColorPatternDialog(std::shared_ptr<Quirel_CropInfo> crop, const Quirel_UIScannerInfo* scannerInfo,
                            int scanMode);
  // Thumbnail mode: the focus crop is the thumbnail's crop.
  Quirel_ColorPatternDialog(std::shared_ptr<Quirel_ThumbnailInfo> thumbnail, const Quirel_UIScannerInfo* scannerInfo,
                            int scanMode);
  ~Quirel_ColorPatternDialog() override;
  Quirel_ColorPatternDialog(const Quirel_ColorPatternDialog&) = delete;
  Quirel_ColorPatternDialog& operator=(const Quirel_ColorPatternDialog&) = delete;

  // The data source and the window controller (not owned); the second sends the outward
  // requests (the dialog itself when it is null).
  void setTWAINObject(const void* twainObject, const void* uimObject);
  // Builds the window and computes the nineteen pictures. pluginInfo: the "PluginInfo" entry of
  // the model parameters, or null for the scan-module path.
  void createDialog(const fnd::Dictionary* pluginInfo);
  // Places the window centred on `parent` and inside the screen, runs it modally; 1 for OK, 0
  // for Cancel.
  int showDialog(const kit::Window* parent);
  // The screen the window is placed on (the main screen unless set).
  void setDisplayManager(const Quirel_DisplayManager& displayManager) { mDisplayManager = displayManager; }

  bool isOkClose() const { return mOkClose; }
  bool didChangeColorBalance() const;
  ColorBalanceValues getColorBalance() const { return mNewColorBalance; }

  // Texts of the "UserInterface" and "ToolTips" tables (the key itself when missing).
  std::string getUILocalizedString(const std::string& key);
  std::string getToolTipString(const std::string& key);
  // A picture of the dialog's picture folder.
  kit::Image allocImage(const std::string& name) const;

  void windowDidBecomeKey(kit::Window& window) override;
  void windowDidUpdate(kit::Window& window) override;

  // Actions.
  void colorButtonClick(kit::Control* sender);
  void okButtonClick(kit::Control* sender = nullptr);
  void cancelButtonClick(kit::Control* sender = nullptr);

  // What the dialog shows, for its owner's and tests' reading.
  Quirel_ColorPatternDlgWindow* window() const { return mWindow.get(); }
  const std::vector<std::unique_ptr<Quirel_ColorPatternInfo>>& patternList() const { return mPatternList; }
  Quirel_ColorPatternInfo* getSelectedInfo() const;
  int indexOfInfo(const Quirel_ColorPatternInfo* info) const;
  Quirel_IconBezelButton* colorButton(ColorButton which) const { return mColorButtons[which]; }
  kit::TextField* colorButtonTitle(ColorButton which) const { return mColorButtonTitles[which]; }
  // 0 R, 1 G, 2 B.
  kit::TextField* balanceValueField(int row) const { return mBalanceValues[static_cast<std::size_t>(row)]; }
  kit::Button* okButton() const { return mOkButton; }
  kit::Button* cancelButton() const { return mCancelButton; }
  Quirel_ColorPatternImageView* adjustmentImageView() const { return mAdjustImageView; }
  Quirel_PreviewFrameView* leftView() const { return mLeftView; }
  // The reduced copy's size after createDialog (0 x 0 when no picture was made).
  int reducedWidth() const { return mReducedWidth; }
  int reducedHeight() const { return mReducedHeight; }

 private:
  void initCommon(const Quirel_UIScannerInfo* scannerInfo, int scanMode);
  void createWindow();
  void createThumbnailArea();
  void createColorAdjustmentArea(kit::Box& rightBox);
  void createColorBalanceArea(kit::Box& rightBox);
  void setColorAdjustmentAreaButtonTitle(kit::TextField& field, int rule);
  void setToolTips();
  void updateColorAdjustmentArea(Quirel_ColorPatternInfo* info);
  void updateColorBalanceArea(Quirel_ColorPatternInfo* info);
  void mouseClickOnColorPatternFrameView(const void* frameView);
  void selectInfo(Quirel_ColorPatternInfo* info);
  Quirel_ColorPatternInfo* getInfoAtFrameView(const void* frameView) const;
  Quirel_PVLocalizedString& localizedString();
  void closeDialog(int code);

  // Pictures (ColorPatternDialogImages.cpp).
  std::vector<std::uint8_t> getBaseImageBuffer(int* width, int* height);
  void makeThumbnailImages();
  bool resizeBaseImageBuffer(std::vector<std::uint8_t>& buffer, int* width, int* height);
  bool resizeBaseImageCallSM(std::vector<std::uint8_t>& buffer, int* width, int* height);
  void createThumbnailImages(const std::vector<std::uint8_t>& reduced, int width, int height);
  void createThumbnailImagesCallSM(const std::vector<std::uint8_t>& reduced, int width, int height);
  std::optional<kit::Image> makeHSLImageCallSM(const ColorBalanceValues& balance, int width, int height,
                                               const std::vector<std::uint8_t>& reduced);
  int postRequest(const char* name, fnd::Dictionary userInfo);
  const void* requestSender() const { return mUIMObject ? mUIMObject : this; }
  int cellRotation() const;
  bool cellMirror() const;

  std::unique_ptr<Quirel_ColorPatternDlgWindow> mWindow;
  Quirel_PreviewFrameView* mLeftView = nullptr;
  std::vector<std::unique_ptr<Quirel_ColorPatternInfo>> mPatternList;
  std::array<Quirel_IconBezelButton*, kButtonCount> mColorButtons{};
  std::array<kit::TextField*, kButtonCount> mColorButtonTitles{};
  std::array<kit::TextField*, 3> mBalanceValues{};
  Quirel_ColorPatternImageView* mAdjustImageView = nullptr;
  kit::Button* mOkButton = nullptr;
  kit::Button* mCancelButton = nullptr;

  const Quirel_UIScannerInfo* mScannerInfo = nullptr;
  std::shared_ptr<Quirel_CropInfo> mFocusCrop;
  std::shared_ptr<Quirel_ThumbnailInfo> mFocusThumbnail;
  bool mThumbnailMode = false;
  int mScanMode = 0;
  ColorBalanceValues mBaseColorBalance{};
  ColorBalanceValues mNewColorBalance{};
  bool mOkClose = false;
  SRectDouble mCropCorRect{};
  std::optional<fnd::Dictionary> mPluginInfo;
  const void* mTWAINObject = nullptr;
  const void* mUIMObject = nullptr;
  std::unique_ptr<Quirel_PVLocalizedString> mLocalizedString;
  int mReducedWidth = 0;
  int mReducedHeight = 0;
  Quirel_DisplayManager mDisplayManager;
};
