#pragma once

// Pieces shared by the file-to-file passes: the destination type of an output format, the
// check that an output folder is writable, the metadata of plain JPEG output, and the options
// the passes read image sources with.

#include <cstdint>
#include <string>

#include "foundation/Value.h"
#include "imageio/ImageDestination.h"
#include "launcher/save/CMError.h"
#include "launcher/save/ISM_XFORM_INFO.h"

// 4320 and 4321 JPEG, 4322 and 4330 TIFF. PNG (4323), PICT (4324, 4327), PDF (4325, 4326,
// 4328) and every other code have no writer in this system: 0xACA03.
CMResult SM_DestinationType(std::uint32_t outFormat, imageio::ImageType* type);

// 0xAF400 unless the folder of the output path exists and may be written.
CMResult SM_CheckOutputFolder(const std::string* outputPath);

// Source options of the passes: no caching, floating-point samples allowed.
fnd::Dictionary SM_SourceOptions();

// Orientation 1 wherever the properties state an orientation (top level and "{TIFF}"): the
// pixels have been turned upright.
void SM_MarkUpright(fnd::Dictionary* properties);
// Swaps the horizontal and vertical resolutions (top level and "{TIFF}"), for a quarter turn.
void SM_SwapResolutions(fnd::Dictionary* properties);

// The current local time as "%Y:%m:%d %H:%M:%S".
std::string SM_MetadataDateTime();

// Metadata of plain JPEG output: ProfileName removed, ColorModel by the samples per pixel,
// a "{TIFF}" dictionary (Make "Vantrel", Model = the device name when there is one,
// Software = the application name, DateTime now) and an "{Exif}" dictionary (versions 2.2.1
// and 1.0, ColorSpace 0xFFFF for grey and 1 for colour, components 1 2 3 0, DateTimeDigitized
// now). 0xACA04 for a null argument.
CMResult SetJpegMetadata(fnd::Dictionary* properties, const ISM_XFORM_INFO* xform, int samplesPerPixel);
