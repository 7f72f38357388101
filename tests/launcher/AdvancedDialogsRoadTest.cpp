// The advanced tab in the real program with three adjustment dialogs opened from it: they open in
// a cascade beside the main window, and a picture of the whole is kept.
#include <QImage>
#include <QPainter>

#include <filesystem>

#include "TestEnvironment.h"
#include "ProgramRoadSupport.h"
#include "datasource/DirectTWAIN.h"
#include "datasource/UIRoot.h"
#include "datasource/windows/QuirelRoot.h"
#include "foundation/Paths.h"
#include "foundation/PropertyList.h"
#include "foundation/Timer.h"
#include "kit/Window.h"
#include "launcher/DirectTWAINPort.h"
#include "ui/adjust/ColorBalanceDialog.h"
#include "ui/adjust/HistogramDialog.h"
#include "ui/adjust/ToneBCDialog.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/CTRLS_TOOLView.h"
#include "ui/controls/ImageDataProcessPanel.h"
#include "ui/controls/MainWindow.h"
#include "ui/frontdoor/Quirel.h"
#include "ui/frontdoor/UserInterfaceModule.h"
#include "ui/modes/advanced/ExtendMode.h"

namespace launchertest {
namespace {

namespace fs = std::filesystem;

class AdvancedDialogsRoad : public ProgramRoadTest {
 protected:
  void SetUp() override {
    ProgramRoadTest::SetUp();
    withoutLastSettings();
  }
};

TEST_F(AdvancedDialogsRoad, ThreeDialogsOpenInACascadeBesideTheAdvancedTab) {
  ASSERT_TRUE(fnd::PropertyList::writeFile(fnd::Value(fnd::Dictionary{{"Mode", 1}, {"BeforeMode", 0}}),
                                           settings + "InitSetting.xml"));
  delegate = std::make_unique<Zorvik_AppDelegate>([] { return Zorvik_MakeDirectTWAIN(); }, std::string());
  kit::Application::shared().setDelegate(delegate.get());
  launch();
  ASSERT_TRUE(runUntil([&] { return delegate->uiNotOpen() == 0 && window() && window()->isVisible(); }));
  Quirel_ExtendMode* mode = controller()->getExtendMode();
  ASSERT_NE(mode, nullptr);
  ASSERT_EQ(controller()->getMode(), 1);
  ASSERT_TRUE(runUntil([&] { return window()->isEnabled() && !mode->hasDisabledOverlay(); }, 1200));

  mode->ntf_colorBalanceOpen(fnd::Notification{"", nullptr});
  mode->ntf_contrastOpen(fnd::Notification{"", nullptr});
  mode->ntf_histogramOpen(fnd::Notification{"", nullptr});
  std::vector<kit::Window*> dialogs{mode->getColorBalanceDialog()->getWindow(), mode->getToneBCDialog()->getWindow(),
                                    mode->getHistogramDialog()->getWindow()};
  for (kit::Window* d : dialogs) ASSERT_TRUE(d && d->isVisible());
  // A cascade: each next one lower and further left, none on top of another.
  for (std::size_t i = 1; i < dialogs.size(); ++i) {
    EXPECT_LT(dialogs[i]->frame().maxY(), dialogs[i - 1]->frame().maxY()) << i;
    EXPECT_LT(dialogs[i]->frame().origin.x, dialogs[i - 1]->frame().origin.x) << i;
  }

  // One picture: the main window and the dialogs where they stand, title bars drawn in.
  std::vector<kit::Window*> windows{window()};
  windows.insert(windows.end(), dialogs.begin(), dialogs.end());
  fnd::Rect box = windows.front()->frame();
  for (kit::Window* w : windows) box = box.unionWith(w->frame());
  QImage canvas(static_cast<int>(box.size.width) + 20, static_cast<int>(box.size.height) + 20, QImage::Format_ARGB32);
  canvas.fill(QColor(90, 110, 140));
  QPainter painter(&canvas);
  const fs::path shots = TRIVOLAN_LAUNCHER_SHOTS_DIR;
  fs::create_directories(shots);
  for (kit::Window* w : windows) {
    const fs::path part = shots / "advanced-dialogs-part.png";
    ASSERT_TRUE(w->grabToPng(part.string()));
    QImage image(QString::fromStdString(part.string()));
    const fnd::Rect f = w->frame();
    const int x = static_cast<int>(f.origin.x - box.origin.x) + 10;
    const int top = static_cast<int>(box.maxY() - f.maxY()) + 10;
    const int bar = static_cast<int>(f.size.height - w->contentRectSize().height);
    painter.fillRect(x, top, static_cast<int>(f.size.width), bar, QColor(214, 214, 214));
    painter.setPen(QColor(40, 40, 40));
    painter.drawText(QRect(x, top, static_cast<int>(f.size.width), bar), Qt::AlignCenter,
                     QString::fromStdString(w->title()));
    painter.drawImage(QRect(x, top + bar, static_cast<int>(f.size.width), static_cast<int>(w->contentRectSize().height)),
                      image);
    painter.setPen(QColor(60, 60, 60));
    painter.drawRect(x, top, static_cast<int>(f.size.width) - 1, static_cast<int>(f.size.height) - 1);
    fs::remove(part);
  }
  painter.end();
  ASSERT_TRUE(canvas.save(QString::fromStdString((shots / "advanced-dialogs.png").string())));
}

}  // namespace
}  // namespace launchertest
