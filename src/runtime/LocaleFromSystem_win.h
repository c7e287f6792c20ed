#pragma once
// The regional settings of the user, read from the system.
#include "runtime/Locale.h"

namespace rt {

// The user's default locale: separators, short-date order and separator, day and month names and the
// long-date picture. Anything the system does not answer keeps the value of Locale::EnglishUS().
Locale SystemLocale();

}  // namespace rt
