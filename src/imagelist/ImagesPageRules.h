#pragma once
// The rules of the image list's Images page that need no window: the transparent colour typed as three
// numbers, unique keys, the open dialog's answer as full paths, the key and the loader a file name gives,
// where the images of one file land, and counting the frames of an animated cursor.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace imagelist {

// One colour channel typed as text: the number the text starts with, rounded (halves to even), 0 when there
// is none or it does not fit in 32 bits, then held to 0 ... 255.
int ParseRGB(std::wstring_view text);

// The first of base, base:suffix, base:suffix+1, ... that no image has as its key (a suffix of 0 tries the
// bare base first). `suffix` is left at the one taken, so the next call goes on from there.
std::wstring UniqueKey(const std::wstring& base, int& suffix, const std::function<bool(const std::wstring&)>& keyExists);

// The open dialog's answer as full paths: one full path, or the folder and the chosen names separated by NUL
// characters. Every name is taken, a one-character last name too; empty fields name nothing.
std::vector<std::wstring> SplitDialogAnswer(std::wstring_view answer);

// The file's extension in upper case, the text after the last "." of its name; empty without one.
std::wstring FileExtension(std::wstring_view path);

// The key a file gives its images: its name without folder and extension, in upper case.
std::wstring KeyFromFileName(std::wstring_view path);

enum class ImageLoader { Icon, Cursor, AnimatedCursor, Bitmap, Picture };
// By extension: ICO, CUR, ANI, BMP or DIB; anything else goes to the picture loader.
ImageLoader LoaderFor(std::wstring_view path);

// Where the images one file added stand (1-based, `count` of them). They follow the selected image when it
// was one of the images before the add, and are appended otherwise.
struct AddedImages {
    int first = 0;
    int count = 0;
};
AddedImages AddedPositions(int countBefore, int countAfter, int selectedImage);

// Frames of an animated cursor: steps 0, 1, ... while `drawsStep` draws them. Some files draw at every step
// (a plain cursor under an animated cursor's name): reaching `cap` steps counts as one frame.
inline constexpr int kMaxCursorFrames = 1024;
int CountFrames(const std::function<bool(int step)>& drawsStep, int cap = kMaxCursorFrames);

}  // namespace imagelist
