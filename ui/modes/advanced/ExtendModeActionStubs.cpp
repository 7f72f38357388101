// The control actions not built yet: each does nothing. An action that gets its body elsewhere
// leaves this list.

#include "ui/modes/advanced/ExtendMode.h"

void Quirel_ExtendMode::favoriteSettingChange(const fnd::Notification&) {}
void Quirel_ExtendMode::toneSettingChange(const fnd::Notification&) {}
void Quirel_ExtendMode::toneSettingReset(const fnd::Notification&) {}
