#pragma once
// The pointing hand shown over an enabled button of the program.
#include <windows.h>

namespace controls {

// A 32 x 32 monochrome cursor with its hot spot on the fingertip (column 10, row 1); made on first use and
// kept for the program's life: never destroy it.
HCURSOR ButtonHandCursor();

}  // namespace controls
