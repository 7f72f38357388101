#include "ui/settings/SoundOpenDialog.h"

#include "foundation/StringFormat.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PVLocalizedString.h"

namespace {
constexpr double kSoundLabelHeight = 17;
constexpr double kSoundPopupWidth = 250;
constexpr double kSoundPopupHeight = 26;
constexpr double kSoundGap = 10;
constexpr double kSoundViewHeight = 40;

std::string soundText(const Quirel_PVLocalizedString& strings, const std::string& key) {
  std::string value = strings.ls_localizedStringForKey(key, "UserInterface").value_or(key);
  return value == Quirel_PVLocalizedString::kNone ? key : value;
}
}  // namespace

std::optional<std::vector<std::string>> Quirel_SoundOpenDialog::fileTypesForIndex(int index) {
  static const std::vector<std::string> midi = {"'MIDI'", "mid", "'MIDI'", "rmi", "'MIDI'", "midi"};
  static const std::vector<std::string> wave = {"'AIFF'", "aiff", "'AIF'", "aif", "'WAVE'", "wav"};
  static const std::vector<std::string> mp3 = {"'MP3'", "mp3", "'MPEG'", "mp3"};
  switch (index) {
    case 0: {
      std::vector<std::string> all = midi;
      all.insert(all.end(), wave.begin(), wave.end());
      all.insert(all.end(), mp3.begin(), mp3.end());
      return all;
    }
    case 1: return midi;
    case 2: return wave;
    case 3: return mp3;
    default: return std::nullopt;
  }
}

std::vector<std::string> Quirel_SoundOpenDialog::extensionsOf(const std::vector<std::string>& types) {
  std::vector<std::string> extensions;
  for (const std::string& t : types)
    if (!t.empty() && t.front() != '\'') extensions.push_back(t);
  return extensions;
}

std::unique_ptr<Quirel_SoundOpenDialog> Quirel_SoundOpenDialog::init() {
  std::unique_ptr<Quirel_SoundOpenDialog> chooser(new Quirel_SoundOpenDialog());
  chooser->mOpenPanel = std::make_unique<kit::OpenPanel>();
  if (!chooser->mOpenPanel) return nullptr;
  const Quirel_PVLocalizedString strings(Quirel_PVLocalizedBundle::askWindowController(chooser.get()));

  auto label = kit::TextField::labelWithString(soundText(strings, "IDMAC_PREF_LABEL_FILETYPE"));
  label->sizeToFit();
  const double labelWidth = label->frame().size.width;
  label->setFrame(fnd::Rect(0, (kSoundViewHeight - kSoundLabelHeight) / 2, labelWidth, kSoundLabelHeight));
  auto popup = std::make_unique<Quirel_NoFocusPopUpButton>(
      fnd::Rect(labelWidth + kSoundGap, (kSoundViewHeight - kSoundPopupHeight) / 2, kSoundPopupWidth, kSoundPopupHeight));
  for (int i = 0; i < kFileTypeCount; ++i)
    popup->addItemWithTitle(soundText(strings, fnd::stringWithFormat("SOUND_FILETYPE%d", i)));
  Quirel_SoundOpenDialog* self = chooser.get();
  popup->setAction([self](kit::Control&) { self->changeFileTypePopup(); });

  auto view = std::make_unique<Quirel_NoFocusView>(
      fnd::Rect(0, 0, labelWidth + kSoundGap + kSoundPopupWidth, kSoundViewHeight));
  chooser->mTextF = static_cast<kit::TextField*>(view->addSubview(std::move(label)));
  chooser->mPopupBT = static_cast<Quirel_NoFocusPopUpButton*>(view->addSubview(std::move(popup)));
  chooser->mFileTypeView = view.get();
  chooser->mOpenPanel->setAccessoryView(std::move(view));
  chooser->mOpenPanel->setDelegate(self);
  chooser->mOpenPanel->setCanChooseFiles(true);
  chooser->mOpenPanel->setCanChooseDirectories(false);
  chooser->mOpenPanel->setAllowsMultipleSelection(false);

  chooser->setFileType(0);
  chooser->changeFileTypePopup();
  return chooser;
}

Quirel_SoundOpenDialog::~Quirel_SoundOpenDialog() {
  if (mOpenPanel) mOpenPanel->setDelegate(nullptr);
}

void Quirel_SoundOpenDialog::setFileType(int index) {
  if (mPopupBT && index >= 0 && index < kFileTypeCount) mPopupBT->selectItemAtIndex(index);
  mEnabledFileTypes = fileTypesForIndex(index);
}

void Quirel_SoundOpenDialog::changeFileTypePopup() {
  setFileType(mPopupBT ? mPopupBT->indexOfSelectedItem() : 0);
  mOpenPanel->setAllowedFileTypes(mEnabledFileTypes ? extensionsOf(*mEnabledFileTypes) : std::vector<std::string>());
  mOpenPanel->validateVisibleColumns();
}
