#pragma once

// The advanced mode's control actions, each reached from its control's notification through one
// forwarder `ntf_<action>`. One list, so that the forwarders, the actions and the tests that
// drive them cannot drift apart.
#define QUIREL_EXTEND_MODE_ACTIONS(X)  \
  X(favoriteSettingChange)             \
  X(imageSourceChange)                 \
  X(paperSizeChange)                   \
  X(filmSizeChange)                    \
  X(orientationDialogOpen)             \
  X(colorModeChange)                   \
  X(inputWidthChange)                  \
  X(fixesRatioChange)                  \
  X(inputHeightChange)                 \
  X(unitChange)                        \
  X(resolusionChange)                  \
  X(resolusionChangeByPopUp)           \
  X(outputSizeChange)                  \
  X(outputWidthChange)                 \
  X(outputHeightChange)                \
  X(magnificationChange)               \
  X(magnificationChangeByStepper)      \
  X(directionChange)                   \
  X(zoomScanStart)                     \
  X(previewStart)                      \
  X(scanStart)                         \
  X(autoToneChange)                    \
  X(colorAdjustmentChange)             \
  X(copyGammaChange)                   \
  X(unsharpMaskChange)                 \
  X(descreenChange)                    \
  X(reduceDustChange)                  \
  X(removeDustChange)                  \
  X(reduceDustFAUChange)               \
  X(fadingCorrectChange)               \
  X(grainCorrectChange)                \
  X(backlightCorrectChange)            \
  X(bookCorrectChange)                 \
  X(exposureOpen)                      \
  X(exposureCheck)                     \
  X(exposureChange)                    \
  X(exposureChangeByStepper)           \
  X(exposureApply)                     \
  X(exposureReset)                     \
  X(scanSettingOpen)                   \
  X(highQualityChange)                 \
  X(calibrationOpen)                   \
  X(calibrationStart)                  \
  X(calibrationChange)                 \
  X(colorBalanceOpen)                  \
  X(contrastOpen)                      \
  X(histogramOpen)                     \
  X(toneCurveOpen)                     \
  X(finalReviewOpen)                   \
  X(thresholdOpen)                     \
  X(toneSettingChange)                 \
  X(toneSettingReset)                  \
  X(toolPlatenThumbnailButtonClick)    \
  X(toolFilmThumbnailButtonClick)      \
  X(toolShowAllCropButtonClick)        \
  X(toolClearPrevButtonClick)          \
  X(toolCropButtonClick)               \
  X(toolHandButtonClick)               \
  X(toolZoomButtonClick)               \
  X(toolMirrorButtonClick)             \
  X(toolLeftRotateButtonClick)         \
  X(toolRightRotateButtonClick)        \
  X(toolAllCheckButtonClick)           \
  X(toolAllCheckResetButtonClick)      \
  X(toolScanInfoButtonClick)           \
  X(toolHelpButtonClick)               \
  X(toolAutoCropButtonClick)           \
  X(toolDeleteCropButtonClick)         \
  X(toolSelectAllCropButtonClick)      \
  X(toolSelectAllFrameButtonClick)     \
  X(toolMultiCropButtonClick)          \
  X(deleteKeyDownOnPreview)            \
  X(mouseEventOnPreview)               \
  X(mouseExitedOnPreview)              \
  X(nextThumbnail)                     \
  X(backThumbnail)                     \
  X(previewViewUpdateCursorRects)      \
  X(showTextFValueError)

// With enterTextFByOtherControls, whose action the scan-mode base declares, 79 in all.
