#include "datasource/DirectTWAIN.h"

// The launcher's transfer calls: image description, blocks, pending images, end of saving.

std::int32_t Dravon_DirectTWAIN::dtScannerSetupMemorySize(std::uint32_t) { return TWRC_SUCCESS; }

std::int32_t Dravon_DirectTWAIN::dtScannerGetImageInfo(DT_IMAGEINFO* info) {
  if (info) *info = DT_IMAGEINFO{};
  return TWRC_FAILURE;
}

std::int32_t Dravon_DirectTWAIN::dtScannerImageMemoryTransfer(TW_IMAGEMEMXFER*) { return TWRC_FAILURE; }

std::int32_t Dravon_DirectTWAIN::dtScannerPendingTransfers(std::int32_t) { return 0; }

std::int32_t Dravon_DirectTWAIN::dtScannerNotifyDidFinishSaving(std::int32_t) { return 0; }
