#include "controls/ButtonLayout.h"

#include <cwctype>

namespace controls {

int EffectivePicturePosition(int position)
{
    return position >= kPictureLeft && position <= kPictureBehind ? position : kPictureBehind;
}

PixelRect CaptionStartBox(int position, int width, int height, int pictureWidth, int pictureHeight)
{
    switch (EffectivePicturePosition(position)) {
    case kPictureLeft:
        return {pictureWidth + 1, 1, width - 8, height - 2};
    case kPictureRight:
        return {1, 1, width - 8 - pictureWidth, height - 2};
    case kPictureAbove:
        return {1, pictureHeight + 1, width - 8, height - 2};
    case kPictureBelow:
        return {1, 1, width - 8, height - 2 - pictureHeight};
    default:
        return {1, 1, width - 8, height - 2};
    }
}

PixelRect PlaceCaption(int position, int width, int height, int pictureWidth, int pictureHeight,
                       const PixelRect& measured)
{
    int dx = (width - measured.right) / 2;
    int dy = (height - measured.bottom) / 2;
    switch (EffectivePicturePosition(position)) {
    case kPictureRight:
        dx = (width - measured.right - pictureWidth - 4) / 2;
        break;
    case kPictureBelow:
        dy = (height - measured.bottom - pictureHeight - 4) / 2;
        break;
    default:
        break;
    }
    return measured.Offset(dx, dy);
}

PixelPoint PlacePicture(int position, int width, int height, int pictureWidth, int pictureHeight,
                        const PixelRect& captionRect, bool captionBlank)
{
    const PixelPoint centred{(width - pictureWidth) / 2, (height - pictureHeight) / 2};
    if (captionBlank)
        return centred;
    switch (EffectivePicturePosition(position)) {
    case kPictureLeft:
        return {captionRect.left - pictureWidth - 4, centred.y};
    case kPictureRight:
        return {captionRect.right + 4, centred.y};
    case kPictureAbove:
        return {centred.x, captionRect.top - pictureHeight - 2};
    case kPictureBelow:
        return {centred.x, captionRect.bottom + 2};
    default:
        return centred;
    }
}

bool IsBlankCaption(const std::wstring& caption)
{
    return caption.find_first_not_of(L' ') == std::wstring::npos;
}

wchar_t ButtonAccessKey(const std::wstring& caption)
{
    if (caption.size() < 2)
        return 0;
    std::size_t p = caption.find(L'&');
    if (p == std::wstring::npos || p + 1 >= caption.size())
        return 0;
    if (caption[p + 1] == L'&') {
        // Only the first "&&" is skipped: the next "&" decides, and a second "&&" gives no key.
        p = caption.find(L'&', p + 2);
        if (p == std::wstring::npos || p + 1 >= caption.size() || caption[p + 1] == L'&')
            return 0;
    }
    return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(caption[p + 1])));
}

}  // namespace controls
