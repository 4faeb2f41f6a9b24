#include "app/ActionTable.h"

#include <array>

namespace velmora {
namespace {

using I = IconId;
using sv = std::string_view;

constexpr ActionSpec kActions[] = {
    // File
    {"mnFileNew", "New", "Ctrl+N", I::kNew, ""},
    {"mnFileOpen", "Open", "Ctrl+O", I::kOpen, ""},
    {"Save1", "Save", "Ctrl+S", I::kSave, ""},
    {"N3", "Save As...", "", I::kSaveAs, ""},
    {"N15", "Empty", "", std::nullopt, ""},
    {"BMP1", "BMP", "", std::nullopt, ""},
    {"JPEG1", "JPEG", "", std::nullopt, ""},
    {"GIF1", "GIF", "", std::nullopt, ""},
    {"PNG1", "PNG", "", std::nullopt, ""},
    {"TIFF1", "TIFF", "", std::nullopt, ""},
    {"N62", "Print Setup", "", I::kPrintSetup, ""},
    {"N70", "Print", "Ctrl+P", I::kPrint, ""},
    {"N123", "Create Card Using Templates", "", I::kWizard, ""},
    {"N5", "Exit", "F10", I::kExit, ""},
    // Edit
    {"N17", "Undo", "Ctrl+Z", I::kUndo, ""},
    {"N18", "Redo", "Ctrl+Y", I::kRedo, ""},
    {"N20", "Cut", "Ctrl+X", I::kCut, ""},
    {"N21", "Copy", "Ctrl+C", I::kCopy, ""},
    {"N22", "Paste", "Ctrl+V", I::kPaste, ""},
    {"N71", "Select", "", I::kSelect, ""},
    {"N98", "Select All", "", I::kSelectAll, ""},
    {"N47", "Paste As New", "", std::nullopt, ""},
    // Image
    {"N33", "Add Caption", "", I::kAddCaption, ""},
    {"N38", "Brightness / Contrast ...", "", I::kBrightnessContrast, ""},
    {"N39", "Color Balance", "", I::kColorBalance, ""},
    {"N96", "Add New Photo", "", I::kAddPhoto, "Add A Photo"},
    {"N37", "Image Size", "", I::kImageSize, ""},
    {"N114", "Crop Canvas", "", I::kCropCanvas, ""},
    {"N11", "Add Picture Frame", "", I::kPictureFrame, ""},
    {"N121", "Button Effect", "", I::kButtonEffect, ""},
    {"N61", "Add Borders", "", I::kBorders, ""},
    // Process
    {"N77", "Grayscale", "", I::kGrayscale, ""},
    {"N84", "Invert", "", I::kInvert, ""},
    {"N49", "Colorize", "", I::kColorize, ""},
    {"N111", "Sepia", "", I::kSepia, ""},
    {"N72", "Effect Browser", "", I::kEffects, "Effects"},
    {"mnFlatten", "Flatten Layers", "", I::kFlatten, ""},
    {"N124", "Perspective", "", I::kPerspective, ""},
    // Selection
    {"mnBringToFront", "Bring to Front", "", I::kBringToFront, ""},
    {"mnSendToBack", "Send To Back", "", I::kSendToBack, ""},
    {"mnLevelUp", "One Level Up", "", I::kLevelUp, ""},
    {"mnLevelDown", "One Level Down", "", I::kLevelDown, ""},
    {"N901", "Clockwise 90", "", I::kRotateCw, ""},
    {"N902", "Counterclockwise 90", "", I::kRotateCcw, ""},
    {"N13", "Free Rotate", "", I::kRotateFree, ""},
    {"N24", "Vertical", "", I::kFlipVertical, ""},
    {"N53", "Horizontal (Mirror)", "", I::kFlipHorizontal, ""},
    {"N107", "Add Borders", "", I::kBorders, ""},
    {"N7", "Relief Contour", "", I::kRelief, ""},
    {"N69", "Add Mask", "", I::kMask, ""},
    {"N54", "Crop Layer", "", I::kCropLayer, ""},
    {"N109", "Remove Mask", "", I::kRemoveMask, ""},
    {"N88", "Duplicate", "Ctrl+D", I::kDuplicate, ""},
    {"mnDelete", "Delete", "Del", I::kDelete, ""},
    // View
    {"N1002", "Actual Size", "Ctrl+A", I::kActualSize, ""},
    {"N35", "Fit To Window", "Ctrl+F", I::kFitToWindow, ""},
    {"N34", "Full Screen Preview", "", I::kFullScreen, ""},
    {"N102", "Select Color", "", I::kBackgroundColor, ""},
    {"N103", "Chess", "", I::kChess, ""},
    // Help
    {"mnHelpTopics", "Help", "F1", I::kHelp, ""},
    {"mnAbout", "About Velmora", "", I::kAbout, ""},
    {"mnSupport", "Technical Support", "", std::nullopt, ""},
    {"mnSamples", "Cards Samples", "", std::nullopt, ""},
    {"mnWeb", "Velmora On The Web", "", std::nullopt, ""},
    // Tool bar only: the two re-order buttons, enabled by a rule of their own.
    {"UPL", "Bring to Front", "", I::kBringToFront, "Bring To Front"},
    {"DNL", "Send To Back", "", I::kSendToBack, ""},
    // The layer pop-up menu.
    {"pmBringToFront", "Bring To Front", "", I::kBringToFront, ""},
    {"pmSendToBack", "Send To Back", "", I::kSendToBack, ""},
    {"pmLevelUp", "One Level Up", "", I::kLevelUp, ""},
    {"pmLevelDown", "One Level Down", "", I::kLevelDown, ""},
    {"N905", "Clockwise 90", "", I::kRotateCw, ""},
    {"N904", "Counterclockwise 90", "", I::kRotateCcw, ""},
    {"N58", "Free", "", I::kRotateFree, ""},
    {"N65", "Horizontal", "", I::kFlipVertical, ""},
    {"N60", "Vertical", "", I::kFlipHorizontal, ""},
    {"pmAddBorders", "Add Borders", "", I::kBorders, ""},
    {"pmRelief", "Relief Contour", "", I::kRelief, ""},
    {"pmMask", "Mask", "", I::kMask, ""},
    {"pmCrop", "Crop", "", I::kCropLayer, ""},
    {"pmClearMask", "Clear Mask", "", I::kRemoveMask, ""},
    {"pmDuplicate", "Duplicate", "", I::kDuplicate, ""},
    {"pmDelete", "Delete", "", I::kDelete, ""},
};

constexpr sv kFile[] = {"mnFileNew", "mnFileOpen", "Save1", "N3", "-",    ">N14", ">mnExport",
                        "-",         "N62",        "N70",   "-",  "N123", "-",    "N5"};
constexpr sv kRecent[] = {"N15"};
constexpr sv kExport[] = {"BMP1", "JPEG1", "GIF1", "PNG1", "TIFF1"};
constexpr sv kEdit[] = {"N17", "N18", "-", "N20", "N21", "N22", "-", "N71", "N98", "-", "N47"};
constexpr sv kImage[] = {"N33", "-",    "N38", "N39", "-",    "N96", "-",
                         "N37", "N114", "-",   "N11", "N121", "N61"};
constexpr sv kProcess[] = {"N77", "N84", "N49", "N111", "-", "N72", "-", "mnFlatten", "N124"};
constexpr sv kSelection[] = {"mnBringToFront",
                             "mnSendToBack",
                             "mnLevelUp",
                             "mnLevelDown",
                             "-",
                             ">mnRotate",
                             ">mnFlip",
                             "-",
                             ">mnBorders",
                             "-",
                             "N69",
                             "N54",
                             "N109",
                             "-",
                             "N88",
                             "mnDelete"};
constexpr sv kRotate[] = {"N901", "N902", "N13"};
constexpr sv kFlip[] = {"N24", "N53"};
constexpr sv kBorders[] = {"N107", "N7"};
constexpr sv kView[] = {"N1002", "N35", "-", "N34", "-", ">mnBackground"};
constexpr sv kBackground[] = {"N102", "N103"};
constexpr sv kHelp[] = {"mnHelpTopics", "-", "mnAbout", "mnSupport", "mnSamples", "mnWeb"};
constexpr sv kPopup[] = {
    "pmBringToFront", "pmSendToBack", "pmLevelUp",   "pmLevelDown", "-",
    ">pmRotate",      ">pmFlip",      "-",           ">pmBorders",  "-",
    "pmMask",         "pmCrop",       "pmClearMask", "-",           "pmDuplicate",
    "pmDelete"};
constexpr sv kPopupRotate[] = {"N905", "N904", "N58"};
constexpr sv kPopupFlip[] = {"N65", "N60"};
constexpr sv kPopupBorders[] = {"pmAddBorders", "pmRelief"};

constexpr MenuSpec kMenus[] = {
    {"mnFile", "&File", kFile},
    {"N16", "&Edit", kEdit},
    {"N8", "&Image", kImage},
    {"N40", "&Process", kProcess},
    {"mnArrange", "&Selection", kSelection},
    {"mnView", "&View", kView},
    {"mnHelp", "&Help", kHelp},
    {"N14", "Recent Cards", kRecent},
    {"mnExport", "Export Card To", kExport},
    {"mnRotate", "Rotate", kRotate},
    {"mnFlip", "Flip", kFlip},
    {"mnBorders", "Borders", kBorders},
    {"mnBackground", "Change Background", kBackground},
    {"LayerPopup", "", kPopup},
    {"pmRotate", "Rotate", kPopupRotate},
    {"pmFlip", "Flip", kPopupFlip},
    {"pmBorders", "Borders", kPopupBorders},
};

constexpr sv kToolBar[] = {
    "mnFileNew", "mnFileOpen", "Save1=SaveIt", "N70", "-",   "N17=BUndo", "N18=BRedo", "N20", "N21",
    "N22=Paste", "-",          "N96",          "N33", "N39", "N11",       "N72",       "-",   "UPL",
    "DNL",       "-",          "N1002",        "N35", "N34"};

}  // namespace

std::span<const ActionSpec> MainActions() { return kActions; }
std::span<const MenuSpec> MainMenus() { return kMenus; }
std::span<const std::string_view> ToolBarEntries() { return kToolBar; }

}  // namespace velmora
