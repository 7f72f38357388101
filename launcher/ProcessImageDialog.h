#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "foundation/Geometry.h"
#include "foundation/Value.h"

namespace kit {
class TextField;
class Window;
}  // namespace kit
class Zorvik_ProcessImagePanel;

// A wait notice of the launcher (searching, saving, closing): a small titled panel with one
// fixed text, shown centred on the screen, that stays usable while a modal window runs. The
// panel is built at the first show and released at close; a later show builds a new one.
// Main thread only.
class Zorvik_ProcessImageDialog {
 public:
  static constexpr int kLevel = 11;

  Zorvik_ProcessImageDialog();
  ~Zorvik_ProcessImageDialog();
  Zorvik_ProcessImageDialog(const Zorvik_ProcessImageDialog&) = delete;
  Zorvik_ProcessImageDialog& operator=(const Zorvik_ProcessImageDialog&) = delete;

  // The notice shows a fixed text: no steps and no percentage.
  void setDivideCount(std::int32_t) {}
  void setProcessImagePercentage(std::int16_t) {}
  // Kept only: the notice is always centred on the screen.
  void setParentWindow(kit::Window* window);

  // Shows the notice with the key's text from the table (the text is fixed when the panel is
  // built), centred, key and in front.
  void showProcessImageDialog(std::string_view key, std::string_view table);
  void closeProcessImageDialog();

  // Notification entries, for posters that name no text.
  void showProcessImageDialogNC(const fnd::Value& ignored);
  void setProcessImagePercentageNC(const fnd::Value&) {}
  void closeProcessImageDialogNC(const fnd::Value& ignored);

  void showProcessImageDialogMT(std::string_view key, std::string_view table);
  void setProcessImagePercentageMT() {}
  void closeProcessImageDialogMT();

  // The panel while the notice exists, else null (tests).
  Zorvik_ProcessImagePanel* panel() const { return mWindow.get(); }
  bool isShowing() const;
  std::string text() const;
  // The key of the last text shown, kept after the notice closes (tests).
  const std::string& lastShownKey() const { return mLastKey; }

 private:
  std::unique_ptr<Zorvik_ProcessImagePanel> mWindow;
  kit::TextField* mTextField = nullptr;  // owned by the panel's content view
  std::int16_t mPercentage = 0;
  std::int16_t mIncrementPercentage = 10;
  std::int16_t mMaxPercentage = 100;
  fnd::Rect mParentRect;
  std::string mLastKey;
};
