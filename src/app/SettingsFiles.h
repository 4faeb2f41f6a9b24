#pragma once

// The three settings files the window reads once at start-up and writes once at exit:
//   "View.atp"   the view background: "CHESS" or the background colour as text, one line;
//   "CForm.atp"  the window placement: one 24-byte little-endian record;
//   "Dirs.lst"   the recent cards, one full file name a line, newest first, at most 5.
// Readers never throw: a missing, unreadable or malformed file gives the defaults below.
// Writers create the settings folder when needed, replace the file atomically and throw
// velmora::Error naming the file when that fails.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

inline constexpr std::string_view kViewFileName = "View.atp";
inline constexpr std::string_view kFormFileName = "CForm.atp";
inline constexpr std::string_view kRecentFileName = "Dirs.lst";

// ----- View.atp

// A Windows colour value: 0x00BBGGRR, red in the low byte.
using WinColor = uint32_t;
inline constexpr WinColor kClGray = 0x00808080;

struct ViewBackground {
  bool chess = false;         // the chequered background (View > Change Background > Chess)
  WinColor colour = kClGray;  // the plain background colour, used when chess is off
  bool operator==(const ViewBackground&) const = default;
};

// At most this many characters are written to and read from View.atp.
inline constexpr size_t kViewTextLimit = 30;

// The colour as the original colour-to-text form writes it: the constant's name where one
// matches ("clGray", "clMoneyGreen", ...), else "$" and eight upper-case hex digits 00BBGGRR.
std::string ColorToText(WinColor colour);
// A colour name (any case), "$" with 1 to 8 hex digits, or a decimal number; the value must
// be a plain colour (at most 0x00FFFFFF). Surrounding blanks are ignored.
std::optional<WinColor> TextToColor(std::string_view text);

// The file's content: "CHESS" or ColorToText(colour), without a line break.
std::string FormatViewBackground(const ViewBackground& view);
// The first line of text, cut to kViewTextLimit characters; nullopt when it is neither
// "CHESS" (exactly, upper case) nor a colour. When chess is on, the colour is the default.
std::optional<ViewBackground> ParseViewBackground(std::string_view text);

ViewBackground ReadViewBackground(const std::string& path);
void WriteViewBackground(const std::string& path, const ViewBackground& view);

// ----- CForm.atp

enum class WindowState : uint8_t { kNormal = 0, kMinimised = 1, kMaximised = 2 };
enum class PanelSide : int32_t { kLeft = 1, kRight = 2 };

// The window's designed client size, centred on the screen when no placement is stored.
inline constexpr int kDesignedClientWidth = 859;
inline constexpr int kDesignedClientHeight = 650;
// Stored coordinates and sizes beyond this are taken as damage, not as a placement.
inline constexpr int kPlacementLimit = 100000;
inline constexpr size_t kPlacementRecordSize = 24;

// The window placement. The window stores its frame position (QWidget::pos()) as left and top
// and its client size (QWidget::size()) as width and height, which is what move() and
// resize() take back; left, top, width and height are applied only in the normal state.
struct WindowPlacement {
  WindowState state = WindowState::kNormal;
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = kDesignedClientWidth;
  int32_t height = kDesignedClientHeight;
  PanelSide side = PanelSide::kRight;
  // True only for the defaults: nothing was stored, so the window centres its designed size
  // and ignores left and top. Not part of the file.
  bool centred = true;
  bool operator==(const WindowPlacement&) const = default;
};

// The 24-byte record: state (1 byte), 3 reserved zero bytes, left, top, width, height and side
// as signed 32-bit little-endian numbers.
std::vector<uint8_t> EncodePlacement(const WindowPlacement& placement);
// nullopt unless the record is exactly 24 bytes with state 0..2 and side 1 or 2. The bounds are
// valid with width and height 1..kPlacementLimit and left and top within +-kPlacementLimit;
// invalid bounds make a normal-state record unusable, while a maximised or minimised one keeps
// its state and side with the designed bounds (centred). The reserved bytes are not checked:
// older files may hold whatever lay in memory there.
std::optional<WindowPlacement> DecodePlacement(std::string_view record);

WindowPlacement ReadWindowPlacement(const std::string& path);
void WriteWindowPlacement(const std::string& path, const WindowPlacement& placement);

// ----- Dirs.lst

// The file's content: each storable name (see IsStorableCardName) followed by CR LF, at most
// RecentCards::kMaxItems of them; "Empty" CR LF when none is left.
std::string FormatRecentCards(const std::vector<std::string>& items);
// The captions of the recent list, 1 to 5 of them, "Empty" alone when the text holds no entry
// or its first entry is "Clear". Lines end with CR LF or LF; empty lines are not entries and
// are skipped (also when looking for "Clear"); entries after the fifth are ignored.
std::vector<std::string> ParseRecentCards(std::string_view text);

std::vector<std::string> ReadRecentCards(const std::string& path);
void WriteRecentCards(const std::string& path, const std::vector<std::string>& items);

}  // namespace velmora
