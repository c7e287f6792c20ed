#include "runtime/ImageFileCheck.h"

namespace rt {

bool ImageFileHoldsTogether(ImageFileKind, std::span<const std::uint8_t> file)
{
    return !file.empty();
}

}  // namespace rt
