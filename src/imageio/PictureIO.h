#pragma once

// Opening and saving pictures: the format follows the file name's extension, in any letter case
// (callers that must tell ".jpg" from ".Jpg" compare the names themselves), and a file whose
// first bytes are the signature of another known format is read as that format.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "graphics/Bitmap32.h"
#include "imageio/PictureFormat.h"

namespace velmora {

// The picture in the file. Opaque (alpha 255) except for a 32-bit BMP, whose alpha bytes are
// kept; when they are all 0 (as many programs write them) the picture is opaque instead, since
// such a file was never meant to be invisible. Throws Error "<path>: <reason>".
Bitmap32 LoadPicture(const std::string& path);

// The picture in bytes, decoded as the given format without looking at its signature first
// (a project's embedded BMP streams). A 32-bit BMP keeps its alpha bytes exactly as stored.
// Errors name name_for_errors.
Bitmap32 DecodePicture(std::span<const uint8_t> bytes, PictureFormat format,
                       const std::string& name_for_errors);
// The same, with the format found from the signature.
Bitmap32 DecodePicture(std::span<const uint8_t> bytes, const std::string& name_for_errors);

// Writes the picture through an AtomicFile (a failure leaves an existing file as it was). The
// format is options.format, else the one the extension names (any letter case). BMP keeps
// alpha (32 bits); JPEG, TIFF and PNG (unless options.png_alpha) drop it; GIF reduces the
// colours by options.gif_depth.
void SavePicture(const std::string& path, const Bitmap32& picture, const SaveOptions& options = {});

// The bytes SavePicture would write.
std::vector<uint8_t> EncodePicture(const Bitmap32& picture, PictureFormat format,
                                   const SaveOptions& options = {});

}  // namespace velmora
