#include "files/CardFiles.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "files/ProjectFile.h"
#include "graphics/Error.h"
#include "graphics/PixelFilters.h"
#include "imageio/PictureIO.h"

namespace velmora {
namespace {

constexpr SaveFilter kSaveFilters[] = {
    {1, "Greeting Card project (*.vlm)", ".vlm", CardFileKind::kProject},
    {2, "Bitmaps (*.bmp)", ".bmp", CardFileKind::kBmp},
    {3, "JPEG Image File (*.jpg)", ".jpg", CardFileKind::kJpeg},
    {4, "CompuServe GIF Image (*.gif)", ".gif", CardFileKind::kGif},
    {5, "PNG Image (*.png)", ".png", CardFileKind::kPng},
    {6, "TIFF Image (*.tif)", ".tif", CardFileKind::kTiff},
};

// Save writes again what these exact spellings name.
struct SaveName {
  std::string_view extension;
  CardFileKind kind;
};
constexpr SaveName kSaveNames[] = {
    {".bmp", CardFileKind::kBmp},     {".BMP", CardFileKind::kBmp},
    {".vlm", CardFileKind::kProject}, {".VLM", CardFileKind::kProject},
    {".gif", CardFileKind::kGif},     {".GIF", CardFileKind::kGif},
    {".jpg", CardFileKind::kJpeg},    {".jpeg", CardFileKind::kJpeg},
    {".JPG", CardFileKind::kJpeg},    {".JPEG", CardFileKind::kJpeg},
    {".png", CardFileKind::kPng},     {".PNG", CardFileKind::kPng},
    {".tif", CardFileKind::kTiff},    {".TIF", CardFileKind::kTiff},
    {".tiff", CardFileKind::kTiff},   {".TIFF", CardFileKind::kTiff},
};

constexpr std::string_view kOfferedAfterOpening[] = {".gif",  ".GIF", ".JPG", ".jpg", ".JPEG",
                                                     ".jpeg", ".BMP", ".bmp", ".vlm", ".VLM"};

PictureFormat FormatOf(CardFileKind kind) {
  switch (kind) {
    case CardFileKind::kBmp:
      return PictureFormat::kBmp;
    case CardFileKind::kJpeg:
      return PictureFormat::kJpeg;
    case CardFileKind::kGif:
      return PictureFormat::kGif;
    case CardFileKind::kPng:
      return PictureFormat::kPng;
    case CardFileKind::kTiff:
    case CardFileKind::kProject:
      break;
  }
  return PictureFormat::kTiff;
}

bool EndsWithNoCase(std::string_view s, std::string_view tail) {
  if (tail.size() > s.size()) return false;
  return std::equal(tail.begin(), tail.end(), s.end() - tail.size(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  });
}

}  // namespace

std::span<const SaveFilter> SaveFilters() { return kSaveFilters; }

const SaveFilter& SaveFilterOf(CardFileKind kind) {
  for (const SaveFilter& f : kSaveFilters) {
    if (f.kind == kind) return f;
  }
  return kSaveFilters[0];
}

std::string_view OpenFilterText() {
  return "All supported formats (*.vlm *.gif *.jpg *.jpeg *.bmp *.ico *.emf *.wmf *.png);;"
         "GIF Image (*.gif);;JPEG Image File (*.jpg *.jpeg);;Bitmaps (*.bmp);;Icons (*.ico);;"
         "Enhanced Metafiles (*.emf);;Metafiles (*.wmf);;Greeting Card Project (*.vlm);;"
         "PNG Image (*.png)";
}

std::string_view SaveFilterText() {
  return "Greeting Card project (*.vlm);;Bitmaps (*.bmp);;JPEG Image File (*.jpg);;"
         "CompuServe GIF Image (*.gif);;PNG Image (*.png);;TIFF Image (*.tif)";
}

std::string ExtensionOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  return path.substr(dot);
}

std::string NameWithExtension(const std::string& typed, std::string_view extension) {
  if (EndsWithNoCase(typed, extension)) return typed;
  return typed + std::string(extension);
}

std::optional<CardFileKind> SaveKindOf(const std::string& path) {
  const std::string ext = ExtensionOf(path);
  for (const SaveName& n : kSaveNames) {
    if (ext == n.extension) return n.kind;
  }
  return std::nullopt;
}

bool SaveOfferedAfterOpening(const std::string& path) {
  const std::string ext = ExtensionOf(path);
  return std::find(std::begin(kOfferedAfterOpening), std::end(kOfferedAfterOpening), ext) !=
         std::end(kOfferedAfterOpening);
}

bool IsProjectName(const std::string& path) {
  const std::string ext = ExtensionOf(path);
  return ext.size() == 4 && EndsWithNoCase(ext, ".vlm");
}

void OpenCardFile(CardDocument& doc, const std::string& path) {
  if (IsProjectName(path)) {
    LoadProject(doc, path);  // checks the whole file before the card is replaced
    return;
  }
  Bitmap32 picture = LoadPicture(path);
  doc.ResetDocument();
  picture.set_outer_color(0x7FFFFFFF);
  doc.MutableBaseImage() = std::move(picture);
  doc.Changed();
}

void WriteCard(CardDocument& doc, const std::string& path, CardFileKind kind,
               const SaveOptions& options) {
  const Bitmap32& picture = doc.ComposePicture();
  if (kind == CardFileKind::kProject) {
    SaveProject(doc, path);
    return;
  }
  SaveOptions o = options;
  o.format = FormatOf(kind);
  o.png_alpha = false;
  SavePicture(path, picture, o);
}

}  // namespace velmora
