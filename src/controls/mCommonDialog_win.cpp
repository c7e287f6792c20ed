#include "controls/mCommonDialog_win.h"

#include "controls/DialogText.h"

#include <utility>

namespace controls {

namespace {

constexpr DWORD kColorRgbInit = 0x1;
constexpr DWORD kColorFullOpen = 0x2;
constexpr DWORD kColorPreventFullOpen = 0x4;
constexpr DWORD kColorSolidColor = 0x80;
constexpr DWORD kColorAnyColor = 0x100;

CommonDialogCalls& Calls()
{
    static CommonDialogCalls calls = PlatformDialogCalls();
    return calls;
}

struct CustomColorState {
    std::array<COLORREF, 16> colors{};
    bool ready = false;  // filled from the system colours on the first colour dialog
};

CustomColorState& Custom()
{
    static CustomColorState state;
    return state;
}

void InitCustomColors()
{
    for (int n = 0; n < 16; ++n)
        Custom().colors[static_cast<size_t>(n)] = GetSysColor(n);
    Custom().ready = true;
}

HWND OwnerOrNone(HWND owner)
{
    return owner == kNoOwner ? nullptr : owner;
}

// nullptr for an empty text: the dialog's own choice.
const wchar_t* TextOrNone(const std::wstring& text)
{
    return text.empty() ? nullptr : text.c_str();
}

}  // namespace

CommonDialogCalls PlatformDialogCalls()
{
    return {[](OPENFILENAMEW& ofn) { return GetOpenFileNameW(&ofn); },
            [](OPENFILENAMEW& ofn) { return GetSaveFileNameW(&ofn); },
            [](CHOOSECOLORW& cc) { return ChooseColorW(&cc); }};
}

ScopedDialogCalls::ScopedDialogCalls(CommonDialogCalls calls) : previous_(std::exchange(Calls(), std::move(calls))) {}

ScopedDialogCalls::~ScopedDialogCalls()
{
    Calls() = std::move(previous_);
}

const std::array<COLORREF, 16>& CustomColors()
{
    if (!Custom().ready)
        InitCustomColors();
    return Custom().colors;
}

bool ShowFileDialog(FileDialogArgs& args)
{
    const DWORD flags =
        FileDialogFlags(args.fileMustExist, args.multiSelect, args.readOnly, args.hideReadOnly, args.extraFlags);
    const std::size_t size = FileBufferSize(flags);
    std::wstring fileBuffer = FileBuffer(args.fileName, size);
    std::wstring titleBuffer = FileBuffer(args.fileTitle, size);
    const std::wstring filterText = FilterText(args.filter);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = OwnerOrNone(args.owner);
    ofn.lpstrFilter = filterText.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(args.filterIndex);
    ofn.lpstrFile = fileBuffer.data();
    ofn.nMaxFile = static_cast<DWORD>(size);
    ofn.lpstrFileTitle = titleBuffer.data();
    ofn.nMaxFileTitle = static_cast<DWORD>(size);
    ofn.lpstrInitialDir = TextOrNone(args.initialFolder);
    ofn.lpstrTitle = TextOrNone(args.dialogTitle);
    ofn.lpstrDefExt = TextOrNone(args.defaultExtension);
    ofn.Flags = flags;

    const auto& call = args.open ? Calls().getOpenFileName : Calls().getSaveFileName;
    if (call(ofn) != TRUE) {
        args.fileName.clear();
        args.fileTitle.clear();
        return false;
    }
    ChosenFile chosen = ReadChosenFile(fileBuffer, titleBuffer, flags);
    args.fileName = std::move(chosen.fileName);
    args.fileTitle = std::move(chosen.fileTitle);
    return true;
}

bool ShowColorDialog(std::int32_t& colour, bool anyColour, bool fullOpen, bool preventFullOpen, HWND owner,
                     DWORD extraFlags)
{
    // Given a copy, so a cancelled dialog leaves the kept colours as they were.
    std::array<COLORREF, 16> custom = CustomColors();
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = OwnerOrNone(owner);
    cc.rgbResult = static_cast<COLORREF>(colour);
    cc.lpCustColors = custom.data();
    cc.Flags = kColorRgbInit | (anyColour ? kColorAnyColor : kColorSolidColor) | (fullOpen ? kColorFullOpen : 0) |
               (preventFullOpen ? kColorPreventFullOpen : 0);
    if (Calls().chooseColor(cc) != TRUE) {
        colour = -1;
        return false;
    }
    Custom().colors = custom;
    colour = static_cast<std::int32_t>(cc.rgbResult);
    return true;
}

}  // namespace controls
