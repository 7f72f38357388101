#pragma once

// Keys and values of the property dictionaries that image sources answer and image
// destinations take. The key texts are the platform's own, so dictionaries copied from a
// source to a destination, or written to files by callers, keep their meaning.
namespace imageio {

// Top level of an image's properties.
inline constexpr const char* kCGImagePropertyDPIWidth = "DPIWidth";
inline constexpr const char* kCGImagePropertyDPIHeight = "DPIHeight";
inline constexpr const char* kCGImagePropertyPixelWidth = "PixelWidth";
inline constexpr const char* kCGImagePropertyPixelHeight = "PixelHeight";
inline constexpr const char* kCGImagePropertyDepth = "Depth";
inline constexpr const char* kCGImagePropertyOrientation = "Orientation";
inline constexpr const char* kCGImagePropertyHasAlpha = "HasAlpha";
inline constexpr const char* kCGImagePropertyColorModel = "ColorModel";
inline constexpr const char* kCGImagePropertyProfileName = "ProfileName";
inline constexpr const char* kCGImagePropertyColorModelGray = "Gray";
inline constexpr const char* kCGImagePropertyColorModelRGB = "RGB";
inline constexpr const char* kCGImagePropertyTIFFDictionary = "{TIFF}";
inline constexpr const char* kCGImagePropertyExifDictionary = "{Exif}";
inline constexpr const char* kCGImagePropertyJFIFDictionary = "{JFIF}";

// Inside "{TIFF}".
inline constexpr const char* kCGImagePropertyTIFFCompression = "Compression";
inline constexpr const char* kCGImagePropertyTIFFPhotometricInterpretation = "PhotometricInterpretation";
inline constexpr const char* kCGImagePropertyTIFFMake = "Make";
inline constexpr const char* kCGImagePropertyTIFFModel = "Model";
inline constexpr const char* kCGImagePropertyTIFFSoftware = "Software";
inline constexpr const char* kCGImagePropertyTIFFDateTime = "DateTime";
inline constexpr const char* kCGImagePropertyTIFFOrientation = "Orientation";
inline constexpr const char* kCGImagePropertyTIFFXResolution = "XResolution";
inline constexpr const char* kCGImagePropertyTIFFYResolution = "YResolution";
inline constexpr const char* kCGImagePropertyTIFFResolutionUnit = "ResolutionUnit";

// Inside "{Exif}". Versions are arrays of numbers: ExifVersion 2, 2, 1; FlashPixVersion 1, 0.
inline constexpr const char* kCGImagePropertyExifVersion = "ExifVersion";
inline constexpr const char* kCGImagePropertyExifFlashPixVersion = "FlashPixVersion";
inline constexpr const char* kCGImagePropertyExifColorSpace = "ColorSpace";
inline constexpr const char* kCGImagePropertyExifComponentsConfiguration = "ComponentsConfiguration";
inline constexpr const char* kCGImagePropertyExifDateTimeDigitized = "DateTimeDigitized";
inline constexpr const char* kCGImagePropertyExifPixelXDimension = "PixelXDimension";
inline constexpr const char* kCGImagePropertyExifPixelYDimension = "PixelYDimension";

// Inside "{JFIF}".
inline constexpr const char* kCGImagePropertyJFIFXDensity = "XDensity";
inline constexpr const char* kCGImagePropertyJFIFYDensity = "YDensity";
inline constexpr const char* kCGImagePropertyJFIFDensityUnit = "DensityUnit";

// Destination option: JPEG quality from 0.0 to 1.0.
inline constexpr const char* kCGImageDestinationLossyCompressionQuality = "kCGImageDestinationLossyCompressionQuality";

// Source options.
inline constexpr const char* kCGImageSourceShouldCache = "kCGImageSourceShouldCache";
inline constexpr const char* kCGImageSourceShouldAllowFloat = "kCGImageSourceShouldAllowFloat";
inline constexpr const char* kCGImageSourceCreateThumbnailFromImageAlways = "kCGImageSourceCreateThumbnailFromImageAlways";
inline constexpr const char* kCGImageSourceCreateThumbnailFromImageIfAbsent = "kCGImageSourceCreateThumbnailFromImageIfAbsent";
inline constexpr const char* kCGImageSourceCreateThumbnailWithTransform = "kCGImageSourceCreateThumbnailWithTransform";
inline constexpr const char* kCGImageSourceThumbnailMaxPixelSize = "kCGImageSourceThumbnailMaxPixelSize";

}  // namespace imageio
