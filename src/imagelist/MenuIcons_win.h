#pragma once
// The design data of the main window's image list Image1: its 47 menu icons (resources/icons/MenuIcons.rec.txt
// lists them), 16 x 16 at the default colour depth, all keys empty.
#include "runtime/PropertyBag.h"

namespace imagelist {

rt::PropertyBag MenuIconsDesign();

}  // namespace imagelist
