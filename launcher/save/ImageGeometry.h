#pragma once

// Sizes and turns of whole images for the file-to-file passes.

#include <cstdint>

#include "imageio/Image.h"
#include "launcher/save/CMError.h"

// The box of a size class (the transform record's mode): 4550 640 x 480, 4551 800 x 600,
// 4552 1024 x 768, 4554 160 x 120, 4555 106 x 106. False for any other code (4553 included).
bool SM_SizeClassBox(std::int32_t code, std::uint32_t* width, std::uint32_t* height);

// Fits width x height into the box of the size code, keeping the aspect (integer arithmetic,
// rounding down); a size that already fits is kept. 0xACA02 for an unknown code, a width or
// height of 0 or a null output; 0xACA01 when no fitted size exists.
CMResult CM_FitSize(std::int32_t code, std::uint32_t width, std::uint32_t height, std::uint32_t* newWidth,
                    std::uint32_t* newHeight);

// A new image turned by degrees (positive turns clockwise) into the box that holds the turned
// picture, drawn in the source's colour space: 1- and 8-bit images become 8-bit grey, 16-bit
// grey stays 16-bit, colour images become 8 or 16 bits a sample with padding after the
// colour samples. Null for other depths or when the pixels cannot be read.
imageio::ImageRef CM_RotateImage(const imageio::ImageRef& image, double degrees);

// The image redrawn without alpha into a fresh bitmap of its colour space, bits per component
// and bytes per row, for encoders that cannot carry alpha. A colour sample with alpha is laid
// over white first (premultiplied samples as they are, straight ones scaled by their alpha),
// so a half-transparent pixel comes out light rather than dark. The bitmap keeps its padding
// sample except for a 32-bit pixelFormat. Null when the pixels cannot be read or drawn.
imageio::ImageRef SM_RedrawWithoutAlpha(const imageio::ImageRef& image, std::uint32_t pixelFormat, std::size_t width,
                                        std::size_t height);

// Degrees that turn an image of an orientation property upright: 3 180, 6 90, 8 270, any
// other value 0.
int SM_OrientationDegrees(int orientation);
