#pragma once

// How cards enter and leave the program: which files open as projects, which names Save can
// write again, the save dialog's formats, and the reading and writing itself.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "document/CardDocument.h"
#include "imageio/PictureFormat.h"

namespace velmora {

enum class CardFileKind : uint8_t { kProject, kBmp, kJpeg, kGif, kPng, kTiff };

// The save dialog's formats, in the order of its filter list (index 1..6).
struct SaveFilter {
  int index;
  std::string_view text;       // as the dialog lists it
  std::string_view extension;  // with the dot, as appended to a typed name
  CardFileKind kind;
};
std::span<const SaveFilter> SaveFilters();
const SaveFilter& SaveFilterOf(CardFileKind kind);

// The open dialog's filter list, in Qt's "Text (*.a *.b);;..." form.
std::string_view OpenFilterText();
std::string_view SaveFilterText();

// The file name's extension with its dot, exactly as written ("" when there is none).
std::string ExtensionOf(const std::string& path);
// The typed name with the extension appended, unless it already ends with it (in any letter
// case), so the file written is the file the user named.
std::string NameWithExtension(const std::string& typed, std::string_view extension);
// What Save writes for a card of this name, by the extension's exact spelling (".jpg" and ".JPG"
// but not ".Jpg"); nothing for any other extension.
std::optional<CardFileKind> SaveKindOf(const std::string& path);
// Whether Save is offered right after a card of this name was opened.
bool SaveOfferedAfterOpening(const std::string& path);
// True for a name that opens as a project: ".vlm" in any letter case. (A project starts like a
// BMP file, so a picture reader given one would show its first layer as the whole card.)
bool IsProjectName(const std::string& path);

// Replaces the card by the file: a project with its layers, or a picture as the base image of a
// card without layers (opaque, except that a 32-bit BMP keeps its alpha). Everything is read and
// checked first: a file that cannot be read throws Error and leaves the card as it was.
void OpenCardFile(CardDocument& doc, const std::string& path);

// Writes the card: a project as it is, any other kind as the flattened picture (ComposePicture),
// BMP with its alpha, JPEG with options.jpeg_quality, GIF with options.gif_depth, PNG and TIFF
// without alpha. Throws Error; a failed write leaves an existing file as it was.
void WriteCard(CardDocument& doc, const std::string& path, CardFileKind kind,
               const SaveOptions& options);

}  // namespace velmora
