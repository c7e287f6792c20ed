// Arbitrary bytes as an image file of each kind: the check must read nothing outside them, and its verdicts
// must agree with each other: a bitmap passes as a picture too, and a picture is an icon only when it is an
// icon file of bitmap images (the picture loader reads those too).
#include "FuzzInput.h"
#include "runtime/ImageFileCheck.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::span<const std::uint8_t> file(data, size);
    const bool bitmap = rt::ImageFileHoldsTogether(rt::ImageFileKind::Bitmap, file);
    const bool icon = rt::ImageFileHoldsTogether(rt::ImageFileKind::IconOrCursor, file);
    const bool picture = rt::ImageFileHoldsTogether(rt::ImageFileKind::Picture, file);
    FUZZ_REQUIRE(!bitmap || picture);
    const bool iconFile = size >= 4 && data[0] == 0 && data[1] == 0 && data[2] == 1 && data[3] == 0;
    FUZZ_REQUIRE(!picture || !icon || iconFile);
    FUZZ_REQUIRE(!iconFile || !picture || icon);
    return 0;
}
