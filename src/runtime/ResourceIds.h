#pragma once
// Numbers of the program's icons and cursors. resources/Plumvane.rc includes this header too; the resource
// compiler defines RC_INVOKED and sees only the macros.
#define PLUMVANE_ICON_PROGRAM 1
#define PLUMVANE_ICON_ARROW_DOWN 101
#define PLUMVANE_ICON_ARROW_UP 102
#define PLUMVANE_CURSOR_HAND 103
#define PLUMVANE_ICON_WEIGHT_PERSON 131
#define PLUMVANE_ICON_WEIGHT_UNKNOWN 132
#define PLUMVANE_ICON_WEIGHT_ARROW 133
#define PLUMVANE_ICON_IMAGE_LIST 141
#define PLUMVANE_DATA_MENU_ICONS 151

#ifndef RC_INVOKED
namespace rt {

inline constexpr int kIconProgram = PLUMVANE_ICON_PROGRAM;       // 32 x 32 and 16 x 16
inline constexpr int kIconArrowDown = PLUMVANE_ICON_ARROW_DOWN;  // 16 x 16: an inverse row of the rule of three
inline constexpr int kIconArrowUp = PLUMVANE_ICON_ARROW_UP;      // 16 x 16: a direct row
inline constexpr int kIconWeightPerson = PLUMVANE_ICON_WEIGHT_PERSON;    // 38 x 76: the weight tool's figure
inline constexpr int kIconWeightUnknown = PLUMVANE_ICON_WEIGHT_UNKNOWN;  // 38 x 76: its figure before a sex is picked
inline constexpr int kIconWeightArrow = PLUMVANE_ICON_WEIGHT_ARROW;      // 32 x 32: the arrow of its gauge
inline constexpr int kIconImageList = PLUMVANE_ICON_IMAGE_LIST;  // 32 x 32: the image list in a designer
inline constexpr int kDataMenuIcons = PLUMVANE_DATA_MENU_ICONS;  // the main window's 47 menu icons as icon records
inline constexpr int kCursorHand = PLUMVANE_CURSOR_HAND;         // 32 x 32, hot spot (14, 4)

// Message N of the message table is string resource N * 10 + this digit (the English texts).
inline constexpr int kMessageLanguageDigit = 2;

}  // namespace rt
#endif
