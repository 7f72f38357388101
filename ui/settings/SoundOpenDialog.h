#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "kit/OpenPanel.h"
#include "kit/TextField.h"
#include "ui/controls/NoFocusPopUpButton.h"
#include "ui/controls/NoFocusView.h"

// Prepares the open panel in which the scan-end sound is chosen: files only, one at a time,
// with a file-type pop-up as accessory view (every sound type, MIDI, AIFF/WAVE, MP3) that
// narrows the files shown at once. The caller runs the panel.
class Quirel_SoundOpenDialog : public kit::OpenPanelDelegate {
 public:
  static constexpr int kFileTypeCount = 4;

  // Nothing when the panel cannot be made.
  static std::unique_ptr<Quirel_SoundOpenDialog> init();
  ~Quirel_SoundOpenDialog() override;
  Quirel_SoundOpenDialog(const Quirel_SoundOpenDialog&) = delete;
  Quirel_SoundOpenDialog& operator=(const Quirel_SoundOpenDialog&) = delete;

  // The pop-up's action: applies the selected entry.
  void changeFileTypePopup();
  // Selects the entry and sets its list of types (none outside 0..3: every file).
  void setFileType(int index);
  // The prepared panel (still the chooser's).
  kit::OpenPanel* openPanel() const { return mOpenPanel.get(); }

  // The types of the selected entry as listed (quoted type codes and extensions), or none.
  const std::optional<std::vector<std::string>>& enabledFileTypes() const { return mEnabledFileTypes; }
  // The types of entry `index`, in list order; none outside 0..3.
  static std::optional<std::vector<std::string>> fileTypesForIndex(int index);
  // The extensions of a list: quoted type codes name no extension and filter nothing here.
  static std::vector<std::string> extensionsOf(const std::vector<std::string>& types);
  Quirel_NoFocusPopUpButton* popup() const { return mPopupBT; }
  kit::TextField* label() const { return mTextF; }

 private:
  Quirel_SoundOpenDialog() = default;

  std::unique_ptr<kit::OpenPanel> mOpenPanel;
  Quirel_NoFocusView* mFileTypeView = nullptr;  // owned by the panel once it is the accessory
  kit::TextField* mTextF = nullptr;
  Quirel_NoFocusPopUpButton* mPopupBT = nullptr;
  std::optional<std::vector<std::string>> mEnabledFileTypes;
};
