// The control actions not built yet: each does nothing. An action that gets its body elsewhere
// leaves this list.

#include "ui/modes/advanced/ExtendMode.h"

void Quirel_ExtendMode::imageSourceChange(const fnd::Notification&) {}
void Quirel_ExtendMode::paperSizeChange(const fnd::Notification&) {}
void Quirel_ExtendMode::filmSizeChange(const fnd::Notification&) {}
void Quirel_ExtendMode::orientationDialogOpen(const fnd::Notification&) {}
void Quirel_ExtendMode::colorModeChange(const fnd::Notification&) {}
void Quirel_ExtendMode::inputWidthChange(const fnd::Notification&) {}
void Quirel_ExtendMode::fixesRatioChange(const fnd::Notification&) {}
void Quirel_ExtendMode::inputHeightChange(const fnd::Notification&) {}
void Quirel_ExtendMode::unitChange(const fnd::Notification&) {}
void Quirel_ExtendMode::resolusionChange(const fnd::Notification&) {}
void Quirel_ExtendMode::resolusionChangeByPopUp(const fnd::Notification&) {}
void Quirel_ExtendMode::outputSizeChange(const fnd::Notification&) {}
void Quirel_ExtendMode::outputWidthChange(const fnd::Notification&) {}
void Quirel_ExtendMode::outputHeightChange(const fnd::Notification&) {}
void Quirel_ExtendMode::magnificationChange(const fnd::Notification&) {}
void Quirel_ExtendMode::magnificationChangeByStepper(const fnd::Notification&) {}
void Quirel_ExtendMode::directionChange(const fnd::Notification&) {}
void Quirel_ExtendMode::zoomScanStart(const fnd::Notification&) {}
void Quirel_ExtendMode::previewStart(const fnd::Notification&) {}
void Quirel_ExtendMode::scanStart(const fnd::Notification&) {}
void Quirel_ExtendMode::autoToneChange(const fnd::Notification&) {}
void Quirel_ExtendMode::colorAdjustmentChange(const fnd::Notification&) {}
void Quirel_ExtendMode::copyGammaChange(const fnd::Notification&) {}
void Quirel_ExtendMode::unsharpMaskChange(const fnd::Notification&) {}
void Quirel_ExtendMode::descreenChange(const fnd::Notification&) {}
void Quirel_ExtendMode::reduceDustChange(const fnd::Notification&) {}
void Quirel_ExtendMode::removeDustChange(const fnd::Notification&) {}
void Quirel_ExtendMode::reduceDustFAUChange(const fnd::Notification&) {}
void Quirel_ExtendMode::fadingCorrectChange(const fnd::Notification&) {}
void Quirel_ExtendMode::grainCorrectChange(const fnd::Notification&) {}
void Quirel_ExtendMode::backlightCorrectChange(const fnd::Notification&) {}
void Quirel_ExtendMode::bookCorrectChange(const fnd::Notification&) {}
void Quirel_ExtendMode::exposureOpen(const fnd::Notification&) {}
void Quirel_ExtendMode::exposureCheck(const fnd::Notification&) {}
void Quirel_ExtendMode::exposureChange(const fnd::Notification&) {}
void Quirel_ExtendMode::exposureChangeByStepper(const fnd::Notification&) {}
void Quirel_ExtendMode::exposureApply(const fnd::Notification&) {}
void Quirel_ExtendMode::exposureReset(const fnd::Notification&) {}
void Quirel_ExtendMode::scanSettingOpen(const fnd::Notification&) {}
void Quirel_ExtendMode::highQualityChange(const fnd::Notification&) {}
void Quirel_ExtendMode::calibrationOpen(const fnd::Notification&) {}
void Quirel_ExtendMode::calibrationStart(const fnd::Notification&) {}
void Quirel_ExtendMode::calibrationChange(const fnd::Notification&) {}
