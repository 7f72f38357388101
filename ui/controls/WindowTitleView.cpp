#include "ui/controls/WindowTitleView.h"

#include "kit/Font.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PVLocalizedString.h"

Quirel_WindowTitleView::Quirel_WindowTitleView(const fnd::Rect& frame, const std::string& titleKey) : kit::View(frame) {
  const Quirel_PVLocalizedString texts(Quirel_PVLocalizedBundle::askWindowController(this));
  auto title = std::make_unique<kit::TextField>(fnd::Rect(0, 1, 200, 12));
  title->setDrawsBackground(false);
  title->setBezeled(false);
  title->setBordered(false);
  title->setEditable(false);
  // Without a bundle there is no text to show.
  title->setStringValue(texts.ls_localizedStringForKey(titleKey, "UserInterface").value_or(""));
  title->setFont(kit::Font::systemFont(10));
  mTitle = static_cast<kit::TextField*>(addSubview(std::move(title)));
}
