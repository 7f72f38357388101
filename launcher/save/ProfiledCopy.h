#pragma once

// A JPEG re-encoded with a colour profile: how the EXIF pass's thumbnail comes to carry the
// profile of the scan. Every function answers a save-pipeline code (CMError.h) and throws
// nothing.

#include <cstdint>
#include <string>
#include <vector>

#include "launcher/save/CMError.h"

// Which colour space the copy is tagged with.
enum class SM_ProfileChoice {
  // The profile file when it reads and is at most 0xFFFE bytes (for a colour image; generic
  // grey for a grey one); without such a profile sRGB for colour, generic grey for grey.
  FromSettings,
  // No profile at all: the device space of the image's component count.
  None,
};

// Decodes jpeg (the buffer), writes it again as JPEG (ColorModel RGB, Orientation 1, Depth 8,
// the encoder's default quality) in the chosen colour space to target, and reads the written
// file back into the buffer. profilePath may be null or empty. 0xAF200 when the bytes do not
// decode; 0xAF207 when the new file cannot be written.
CMResult SM_ReencodeJpegWithProfile(std::vector<std::uint8_t>* jpeg, const std::string* target,
                                    const std::string* profilePath, SM_ProfileChoice choice);
// The same from a file: reads source whole and re-encodes it into target.
CMResult SM_MakeProfiledCopy(const std::string* source, const std::string* target, const std::string* profilePath,
                             SM_ProfileChoice choice = SM_ProfileChoice::FromSettings);
