#include "app/SettingsFiles.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <span>
#include <system_error>

#include "app/RecentCards.h"
#include "graphics/Error.h"
#include "imageio/AtomicFile.h"

namespace velmora {

namespace {

struct NamedColor {
  std::string_view name;
  WinColor value;
};

// The standard colour constants with their Windows values, in the order the colour-to-text
// form searches them.
constexpr std::array<NamedColor, 20> kColorNames{{
    {"clBlack", 0x000000}, {"clMaroon", 0x000080},     {"clGreen", 0x008000},
    {"clOlive", 0x008080}, {"clNavy", 0x800000},       {"clPurple", 0x800080},
    {"clTeal", 0x808000},  {"clGray", 0x808080},       {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},   {"clLime", 0x00FF00},       {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},  {"clFuchsia", 0xFF00FF},    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF}, {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF}, {"clMedGray", 0xA4A0A0},
}};

constexpr WinColor kMaxPlainColor = 0x00FFFFFF;
constexpr std::string_view kChess = "CHESS";
constexpr std::string_view kClear = "Clear";
constexpr std::string_view kLineEnd = "\r\n";
// Five full file names fit many times over; a larger file is damage and is not read further.
constexpr size_t kRecentFileLimit = 64 * 1024;

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string_view TrimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string_view FirstLine(std::string_view text) {
  return text.substr(0, text.find_first_of("\r\n"));
}

// Digits of one base, all of them, nothing else; nullopt on overflow or stray characters.
std::optional<uint64_t> ParseNumber(std::string_view digits, int base) {
  if (digits.empty() || digits.size() > 16) return std::nullopt;
  uint64_t value = 0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

// Up to limit bytes from the start of the file; nullopt when it cannot be opened or read.
// `complete` tells whether the whole file fitted.
std::optional<std::string> ReadStart(const std::string& path, size_t limit, bool* complete) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::string bytes(limit + 1, '\0');
  file.read(bytes.data(), std::streamsize(bytes.size()));
  if (file.bad()) return std::nullopt;
  bytes.resize(size_t(file.gcount()));
  *complete = bytes.size() <= limit;
  if (!*complete) bytes.resize(limit);
  return bytes;
}

void WriteSettingsFile(const std::string& path, std::string_view content) {
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  std::error_code ec;
  if (!folder.empty() && !std::filesystem::is_directory(folder, ec)) {
    std::filesystem::create_directories(folder, ec);
    if (ec) throw Error(path + ": cannot create the folder: " + ec.message());
  }
  WriteFileAtomically(path,
                      std::span(reinterpret_cast<const uint8_t*>(content.data()), content.size()));
}

void PutInt32(std::vector<uint8_t>& out, size_t at, int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) out[at + i] = uint8_t(u >> (8 * i));
}

int32_t GetInt32(std::string_view in, size_t at) {
  uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= uint32_t(uint8_t(in[at + i])) << (8 * i);
  return static_cast<int32_t>(u);
}

bool WithinLimit(int32_t v, int32_t low) { return v >= low && v <= kPlacementLimit; }

}  // namespace

// ----- View.atp

std::string ColorToText(WinColor colour) {
  for (const NamedColor& c : kColorNames) {
    if (c.value == colour) return std::string(c.name);
  }
  char text[16];
  std::snprintf(text, sizeof text, "$%08X", unsigned(colour));
  return text;
}

std::optional<WinColor> TextToColor(std::string_view text) {
  text = TrimBlanks(text);
  for (const NamedColor& c : kColorNames) {
    if (EqualIgnoringCase(text, c.name)) return c.value;
  }
  const bool hex = !text.empty() && text[0] == '$';
  const std::optional<uint64_t> value =
      hex ? ParseNumber(text.substr(1), 16) : ParseNumber(text, 10);
  if (!value || *value > kMaxPlainColor) return std::nullopt;
  return static_cast<WinColor>(*value);
}

std::string FormatViewBackground(const ViewBackground& view) {
  std::string text = view.chess ? std::string(kChess) : ColorToText(view.colour);
  if (text.size() > kViewTextLimit) text.resize(kViewTextLimit);
  return text;
}

std::optional<ViewBackground> ParseViewBackground(std::string_view text) {
  const std::string_view line = TrimBlanks(FirstLine(text.substr(0, kViewTextLimit)));
  if (line == kChess) return ViewBackground{.chess = true};
  const std::optional<WinColor> colour = TextToColor(line);
  if (!colour) return std::nullopt;
  return ViewBackground{.chess = false, .colour = *colour};
}

ViewBackground ReadViewBackground(const std::string& path) {
  bool complete = false;
  const std::optional<std::string> text = ReadStart(path, kViewTextLimit, &complete);
  if (!text) return {};
  return ParseViewBackground(*text).value_or(ViewBackground{});
}

void WriteViewBackground(const std::string& path, const ViewBackground& view) {
  WriteSettingsFile(path, FormatViewBackground(view));
}

// ----- CForm.atp

std::vector<uint8_t> EncodePlacement(const WindowPlacement& placement) {
  std::vector<uint8_t> record(kPlacementRecordSize, 0);
  record[0] = static_cast<uint8_t>(placement.state);
  PutInt32(record, 4, placement.left);
  PutInt32(record, 8, placement.top);
  PutInt32(record, 12, placement.width);
  PutInt32(record, 16, placement.height);
  PutInt32(record, 20, static_cast<int32_t>(placement.side));
  return record;
}

std::optional<WindowPlacement> DecodePlacement(std::string_view record) {
  if (record.size() != kPlacementRecordSize) return std::nullopt;
  const auto state = uint8_t(record[0]);
  const int32_t side = GetInt32(record, 20);
  if (state > uint8_t(WindowState::kMaximised)) return std::nullopt;
  if (side != int32_t(PanelSide::kLeft) && side != int32_t(PanelSide::kRight)) return std::nullopt;
  WindowPlacement p;
  p.state = WindowState(state);
  p.side = PanelSide(side);
  const int32_t left = GetInt32(record, 4);
  const int32_t top = GetInt32(record, 8);
  const int32_t width = GetInt32(record, 12);
  const int32_t height = GetInt32(record, 16);
  const bool bounds_valid = WithinLimit(width, 1) && WithinLimit(height, 1) &&
                            WithinLimit(left, -kPlacementLimit) &&
                            WithinLimit(top, -kPlacementLimit);
  if (bounds_valid) {
    p = {p.state, left, top, width, height, p.side, false};
  } else if (p.state == WindowState::kNormal) {
    return std::nullopt;
  }
  // A maximised or minimised window does not use its bounds, so bad ones cost only the bounds.
  return p;
}

WindowPlacement ReadWindowPlacement(const std::string& path) {
  bool complete = false;
  const std::optional<std::string> record = ReadStart(path, kPlacementRecordSize, &complete);
  if (!record || !complete) return {};
  return DecodePlacement(*record).value_or(WindowPlacement{});
}

void WriteWindowPlacement(const std::string& path, const WindowPlacement& placement) {
  const std::vector<uint8_t> record = EncodePlacement(placement);
  WriteSettingsFile(path,
                    std::string_view(reinterpret_cast<const char*>(record.data()), record.size()));
}

// ----- Dirs.lst

std::string FormatRecentCards(const std::vector<std::string>& items) {
  std::string text;
  size_t written = 0;
  for (const std::string& name : items) {
    if (written == RecentCards::kMaxItems) break;
    if (!IsStorableCardName(name)) continue;
    text.append(name).append(kLineEnd);
    ++written;
  }
  if (written == 0) text.append(RecentCards::kPlaceholder).append(kLineEnd);
  return text;
}

std::vector<std::string> ParseRecentCards(std::string_view text) {
  std::vector<std::string> entries;
  while (!text.empty() && entries.size() < RecentCards::kMaxItems) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!IsStorableCardName(line)) continue;
    if (entries.empty() && line == kClear) break;
    entries.emplace_back(line);
  }
  return RecentCards(entries).items();
}

std::vector<std::string> ReadRecentCards(const std::string& path) {
  bool complete = false;
  std::optional<std::string> text = ReadStart(path, kRecentFileLimit, &complete);
  if (!text) return RecentCards().items();
  if (!complete) {
    // A line cut by the limit is not a whole name.
    const size_t last_end = text->find_last_of('\n');
    text->resize(last_end == std::string::npos ? 0 : last_end + 1);
  }
  return ParseRecentCards(*text);
}

void WriteRecentCards(const std::string& path, const std::vector<std::string>& items) {
  WriteSettingsFile(path, FormatRecentCards(items));
}

}  // namespace velmora
