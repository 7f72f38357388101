// The basic mode opening the preferences dialog.

#include "ui/modes/basic/StandardMode.h"

void Quirel_StandardMode::preferenceDialogOpen(const fnd::Notification&, bool) {}
