#pragma once

#include <QIcon>
#include <QString>

class QPainter;

namespace velmora {

// The program's tool bar and menu icons. They are drawn with vector paths at whatever size and
// device pixel ratio is asked for, on a 24 x 24 design grid whose content stays inside the
// central 20 x 20 box; straight edges are snapped to the device pixel grid, so they stay crisp at
// 16, 24 and 32 px and at 2x. QIcon::Disabled is drawn greyed with lower contrast.
enum class IconId : int {
  kNew,
  kOpen,
  kSave,
  kSaveAs,
  kPrint,
  kPrintSetup,
  kExport,
  kExit,
  kUndo,
  kRedo,
  kCut,
  kCopy,
  kPaste,
  kDuplicate,
  kDelete,
  kSelect,
  kSelectAll,
  kAddPhoto,
  kAddCaption,
  kClipArt,
  kGreetings,
  kWizard,
  kLayer,
  kBringToFront,
  kSendToBack,
  kLevelUp,
  kLevelDown,
  kFlatten,
  kActualSize,
  kFitToWindow,
  kFullScreen,
  kZoomIn,
  kZoomOut,
  kRotateCw,
  kRotateCcw,
  kRotateFree,
  kFlipVertical,
  kFlipHorizontal,
  kPerspective,
  kImageSize,
  kCropCanvas,
  kCropLayer,
  kMask,
  kRemoveMask,
  kBrightnessContrast,
  kColorBalance,
  kGrayscale,
  kInvert,
  kColorize,
  kSepia,
  kEffects,
  kPictureFrame,
  kBorders,
  kRelief,
  kButtonEffect,
  kBackgroundColor,
  kChess,
  kHelp,
  kAbout,
  kCurrentCard,
  // Section chevrons of the side panel, in the outline colour and in white for its dark title bar.
  kCollapse,
  kExpand,
  kCollapseLight,
  kExpandLight,
  kCount  // not an icon
};

inline constexpr int kIconCount = static_cast<int>(IconId::kCount);

// The icon `id`; every id below kCount has one.
QIcon VelmoraIcon(IconId id);

// The program's own icon: a folded greeting card.
QIcon VelmoraAppIcon();

// The id's name without the "k" ("SaveAs"), for diagnostics and icon sheets.
QString IconName(IconId id);

}  // namespace velmora
