#pragma once

// The basic mode in a main window as the window controller builds it: the tab view, the
// toolbar with its view, the preview frame and the two bottom buttons, for the basic mode's tests.

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "ModesTestSupport.h"
#include "foundation/PropertyList.h"
#include "kit/MenuItem.h"
#include "kit/PopUpButton.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_PopupButton.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/CTRLS_TOOLView.h"
#include "ui/controls/CTRLS_TabView.h"
#include "ui/controls/NoFocusPopUpButton.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/modes/toolbar/Toolbar.h"

namespace std_rig {

using Step = Quirel_StandardMode::Step;
using Row = Quirel_StandardMode::CorrectRow;

class ItemTestMode : public Quirel_StandardMode {
 public:
  using Quirel_StandardMode::mCropList;
  using Quirel_StandardMode::mHasPreview;
  using Quirel_StandardMode::mImageSource;
  using Quirel_StandardMode::mScanMode;
  using Quirel_StandardMode::mTemplateCrop;
  using Quirel_StandardMode::mWindowMaskView;
  using Quirel_StandardMode::mThumbnailList;
  using Quirel_StandardMode::mLargePicMsg;
  using Quirel_StandardMode::mClearThumbnailMsg;
  using Quirel_StandardMode::mBookCorrectMsg;
  using Quirel_StandardMode::mTabChanging;
  using Quirel_StandardMode::mCreateFilmCrop;
  using Quirel_StandardMode::mZoomScan;
};

inline fnd::Dictionary itemFlags(int version, fnd::Dictionary extra = {}) {
  fnd::Dictionary d;
  for (int v : {1200, 1300, 1400, 1500, 1600, 1700})
    if (version >= v) d.set("Ver" + std::to_string(v) + "Later", true);
  for (auto& [key, value] : extra) d.set(key, value);
  return d;
}

inline fnd::Dictionary itemParameters(fnd::Array sources, fnd::Array destinations, int defaultDestination = 0) {
  return fnd::Dictionary{
      {"ImageSource", fnd::Dictionary{{"MenuItem", std::move(sources)}, {"DefaultValue", 0}}},
      {"Destination", fnd::Dictionary{{"MenuItem", std::move(destinations)}, {"DefaultValue", defaultDestination}}}};
}

inline std::vector<int> itemNumbers(const Quirel_CTRLS_PopupButton& popup) {
  std::vector<int> numbers;
  for (int i = 0; i < popup.getPopupBT()->numberOfItems(); ++i) {
    if (popup.getPopupBT()->itemAtIndex(i)->isSeparatorItem())
      numbers.push_back(-100);  // a separator
    else
      numbers.push_back(popup.getRepresentedNumberAtIndex(i));
  }
  return numbers;
}

// A main window of 850 x 638 with the tab view, the toolbar and the mode's panel and preview.
struct PanelRig {
  explicit PanelRig(const fnd::Dictionary& flags, double contentHeight = 600) : PanelRig(nullptr, flags, contentHeight) {}
  PanelRig(std::shared_ptr<const Quirel_PVLocalizedString> strings, const fnd::Dictionary& flags,
           double contentHeight)
      : scanner(modes_test::scannerWith(flags)), toolbar(scanner) {
    mode.setPVLocalizedString(std::move(strings));
    mode.setScannerInfo(scanner);
    mode.setPreferenceInfo(std::make_shared<Quirel_PreferenceInfo>());
    mode.setPlatenResolution(300);
    mode.setPlatenRect_Pixel96({{0, 0}, {2550, 3508}});
    mode.setFilmPlatenRect_Pixel96({{100, 100}, {900, 2700}});
    mode.setADFPlatenRect_Pixel96({{0, 0}, {2550, 4200}});
    mode.setMainWindow(mainWindow);
    tabs.getTabView()->setFrame(fnd::Rect(0, 0, 340, contentHeight + 14 + 24));
    mainWindow->addWindowItem(tabs.getTabView());
    toolView = std::make_shared<Quirel_CTRLS_TOOLView>();
    toolbar.setToolbarView(toolView);
    mode.setPreferenceButton(&prefBtn);
    mode.setCloseMainWindowButton(&closeBtn);
    mode.createStandardItem(&tabs);
    mode.createToolBarItem(&toolbar);
    mode.createPreviewAreaItem(&previewFrame);
  }
  double contentHeight() const { return tabs.getTabView()->contentRect().size.height; }

  std::shared_ptr<Quirel_UIScannerInfo> scanner;
  std::shared_ptr<Quirel_CTRLS_MainWindow> mainWindow = std::make_shared<Quirel_CTRLS_MainWindow>();
  Quirel_CTRLS_TabView tabs{true, false, false};
  std::shared_ptr<Quirel_CTRLS_TOOLView> toolView;
  Quirel_Toolbar toolbar;
  Quirel_CTRLS_PreviewFrame previewFrame;
  Quirel_CTRLS_PushButton prefBtn, closeBtn;
  ItemTestMode mode;
};

// The virtual scanner's model parameters.
inline fnd::Dictionary itemModelParameters() {
  const char* dir = std::getenv("TRIVOLAN_RESOURCE_DIR");
  if (!dir) return {};
  auto model = fnd::PropertyList::readFile(std::string(dir) + "/models/PVTS800.xml");
  return model.ok() ? model.value->toDictionary() : fnd::Dictionary();
}

}  // namespace std_rig
