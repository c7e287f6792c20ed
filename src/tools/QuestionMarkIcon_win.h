#pragma once
// The rule of three's decoration: a 32 x 32 question mark on a blue disc, drawn from a text grid in the source.
#include <windows.h>

namespace tools {

// Built on first use and kept for the program's life, like the icons of the resources: never destroy it.
// nullptr when the icon could not be made.
HICON QuestionMarkIcon();

}  // namespace tools
