#pragma once
// Hostile image files, made the same way for the same seed, to hand to the image checks and to the
// platform's readers: valid files cut short and with bits flipped, header fields set to 0, -1, huge values,
// INT_MIN and offsets before the headers or past the end, counts of 0 and 65,536, random bytes behind each
// format's magic, and files that faulted or hung the readers under Wine. A few hundred of each kind.
#include "runtime/ImageFileCheck.h"
#include "support/ImageFileBytes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace test {

struct HostileImageFile {
    std::string name;  // what was done to it, ending in the extension the Images page would see
    rt::ImageFileKind kind;
    Bytes bytes;
};

std::vector<HostileImageFile> HostileImageFiles(std::uint32_t seed = 1);

// The files named here faulted or hung the readers under Wine; each is in the list above too.
Bytes SmallestFaultingAnimatedCursor();  // 68 bytes: an "anih" of 0 frames and 3 steps, no frames
Bytes ZeroWidthCursor();                 // a .cur whose bitmap header's width is 0
Bytes ZeroHeightCursor();                // a .cur whose bitmap header's height is 0
Bytes SlowNarrowJpeg();                  // 159 bytes declaring 4,095 x 60,000 pixels
Bytes HugeJpeg();                        // a JPEG header of 65,500 x 65,500 pixels
Bytes ManyStepsAnimatedCursor();         // 65,536 steps over one frame, each in "rate" and "seq "

}  // namespace test
