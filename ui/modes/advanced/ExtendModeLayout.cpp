#include "ui/modes/advanced/ExtendMode.h"

void Quirel_ExtendMode::setExtendItem(const fnd::Dictionary*, bool) {}
void Quirel_ExtendMode::setExtendItem_InputSettings(const fnd::Dictionary*, bool) {}
void Quirel_ExtendMode::setExtendItem_OutputSettings(const fnd::Dictionary*) {}
void Quirel_ExtendMode::setExtendItem_ImageSettings(const fnd::Dictionary*) {}
void Quirel_ExtendMode::setFrameExtendItem() {}
void Quirel_ExtendMode::setFrameInInputSettings() {}
void Quirel_ExtendMode::setFrameInOutputSettings() {}
void Quirel_ExtendMode::setFrameInImageSettings() {}
void Quirel_ExtendMode::setFrameInColorSettings() {}
void Quirel_ExtendMode::setEnabledToolTips() {}
void Quirel_ExtendMode::setMenuItem_FavoritePopupBT() {}
void Quirel_ExtendMode::setMenuItem_OutputSizePopupBT() {}
void Quirel_ExtendMode::setMenuItem_ToneCurvePopupBT(int) {}
std::vector<std::string> Quirel_ExtendMode::getDefaultFavoriteName() const { return {}; }
std::vector<std::string> Quirel_ExtendMode::getDefaultToneCurveName() const { return {}; }
