#include "ui/windows/MessageInfoView.h"

bool Quirel_MessageInfoView::isFlipped() const { return true; }
