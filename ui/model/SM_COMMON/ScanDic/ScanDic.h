#pragma once

// The dictionary form of the scan-settings record: every request to the scan module travels as
// one of these dictionaries, and the scan module turns it back into a record with the readers.
//
// Writers answer std::nullopt when no dictionary can be made (null record, null temporary path,
// a crop slot in use that is null, a crop count outside 0..61). Readers take the dictionary and
// caller storage, treat the storage as uninitialised, never fail on a missing key or a value of
// the wrong kind (it reads 0), and answer 0, or -1 for a null argument or when memory runs out.
//
// Strings a reader stores in a record are its own malloc'ed copies; crop blocks are malloc'ed.
// Release a read record with UIM_Clear_ScanInfo (storage kept) or UIM_Free_ScanInfo (heap record).

#include <cstddef>
#include <optional>

#include "foundation/Value.h"
#include "ui/model/SM_COMMON/ScanInfo.h"

// Whole record. The DT variant writes "IMAGEDOCUMENTTYPE" and "INPUTDOCUMENTSIZE" only when
// its flags ask for them; every request of the user interface uses it.
std::optional<fnd::Dictionary> UIM_CreateDictionary_ScanInfo(const ScanInfo* info);
std::optional<fnd::Dictionary> UIM_CreateDictionary_ScanInfoDT(const ScanInfo* info, unsigned char sendDocumentType,
                                                               unsigned char sendInputDocumentSize);
// Fills `info` from `dict`: "InputSource" 5 reads as 3 and 6 as 4, "FAInputSourceADF" missing
// or 0 reads as 1, at most 61 crops; crops with rotation 0 take the record's rotation and a
// meRatio of 0 reads as 100. On -1 (out of memory) `crop_num` counts the crops actually read.
int UIM_GetDictionary_ScanInfo(const fnd::Dictionary* dict, ScanInfo* info);
// 0 when every slot 0..crop_num-1 holds a crop and no crop of a film source (3..7) asks for
// book correction; -1 otherwise (also for a null record or a crop count outside 0..61).
int UIM_Check_ScanInfo(const ScanInfo* info);
// Frees every crop block and the three strings of a record, then zeroes it.
void UIM_Clear_ScanInfo(ScanInfo* info);
// UIM_Clear_ScanInfo, then frees the record itself (which must come from malloc or calloc).
void UIM_Free_ScanInfo(ScanInfo* info);

std::optional<fnd::Dictionary> UIM_CreateDictionary_ScanSetting(const ScanSetting* setting);
int UIM_GetDictionary_ScanSetting(const fnd::Dictionary* dict, ScanSetting* setting);
// Frees the three strings of a scan-wide part read on its own and sets them null.
void UIM_Clear_ScanSetting(ScanSetting* setting);

std::optional<fnd::Dictionary> UIM_CreateDictionary_ColorSyncSetting(const ColorSyncSetting* colorSync);
int UIM_GetDictionary_ColorSyncSetting(const fnd::Dictionary* dict, ColorSyncSetting* colorSync);

// The scan-wide rectangle (inches) and crop rectangles share one dictionary form.
std::optional<fnd::Dictionary> UIM_CreateDictionary_ScanRect_Inch(const ScanRect* rect);
int UIM_GetDictionary_ScanRect_Inch(const fnd::Dictionary* dict, ScanRect* rect);
std::optional<fnd::Dictionary> UIM_CreateDictionary_ScanRect(const ScanRect* rect);
int UIM_GetDictionary_ScanRect(const fnd::Dictionary* dict, ScanRect* rect);

std::optional<fnd::Dictionary> UIM_CreateDictionary_CropShape(const CropShape* shape);
int UIM_GetDictionary_CropShape(const fnd::Dictionary* dict, CropShape* shape);

std::optional<fnd::Dictionary> UIM_CreateDictionary_CropSetting(const CropSetting* crop);
int UIM_GetDictionary_CropSetting(const fnd::Dictionary* dict, CropSetting* crop);

// A channel missing from the dictionary leaves its block unchanged; so does one whose data is
// not exactly 0x20000 bytes, and the reader then answers -1.
std::optional<fnd::Dictionary> UIM_CreateDictionary_UserGamma(const UserGamma* gamma);
int UIM_GetDictionary_UserGamma(const fnd::Dictionary* dict, UserGamma* gamma);

// A malloc'ed, zero-terminated copy of a string value's UTF-8 bytes; null for a value that is
// not a string or when memory runs out. The caller frees it.
char* UIM_getStringInfo(const fnd::Value& string);

namespace scandic_testing {
// The allocator the reader uses for crop blocks (malloc unless replaced), so tests can make it
// fail; answers the previous one. Blocks it gives are released with free().
using CropAllocator = void* (*)(std::size_t);
CropAllocator setCropAllocator(CropAllocator allocator);
}  // namespace scandic_testing
