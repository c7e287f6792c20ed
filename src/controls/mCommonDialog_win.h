#pragma once
// The platform's file dialog (open or save) and colour dialog, with the colour dialog's custom colours kept
// while the program runs. Neither shows a message of its own: a cancelled or failed dialog only says false.
#include <windows.h>
#include <commdlg.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace controls {

// An owner of kNoOwner (or nullptr) shows the dialog without an owner.
inline const HWND kNoOwner = reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1));

// Shows the open (`open`) or save dialog. The filter lists description and pattern pairs separated by "|" or
// ":" ("Text (*.txt)|*.txt"); the index picks a pair from 1. Empty texts leave the folder, title and extension
// to the dialog. On a choice, true with `fileName` the full path (with multiple selection allowed: one full
// path, or the folder, a NUL and the chosen names separated by NULs) and `fileTitle` the name without its
// folder (empty with multiple selection allowed); otherwise false with both empty.
bool ShowFileDialog(std::wstring& fileName, std::wstring& fileTitle, bool fileMustExist, bool multiSelect,
                    bool readOnly, bool hideReadOnly, std::wstring_view filter, int filterIndex,
                    std::wstring_view initialFolder, std::wstring_view dialogTitle, std::wstring_view defaultExtension,
                    HWND owner, DWORD extraFlags, bool open);

// Shows the colour dialog starting at `colour` (an RGB value). On a choice, true with `colour` the chosen
// colour; otherwise false with `colour` -1 and the custom colours as they were. `extraFlags` is not used.
bool ShowColorDialog(std::int32_t& colour, bool anyColour, bool fullOpen, bool preventFullOpen, HWND owner,
                     DWORD extraFlags = 0);

// The colour dialog's custom colours: the first 16 system colours until a dialog changes them.
const std::array<COLORREF, 16>& CustomColors();

// The dialog calls, replaceable so tests can see what a dialog is given and answer for the user.
struct CommonDialogCalls {
    std::function<BOOL(OPENFILENAMEW&)> getOpenFileName;
    std::function<BOOL(OPENFILENAMEW&)> getSaveFileName;
    std::function<BOOL(CHOOSECOLORW&)> chooseColor;
};
// The platform's own calls.
CommonDialogCalls PlatformDialogCalls();
// Puts `calls` in place until the returned object goes, which brings the previous ones back.
class ScopedDialogCalls {
public:
    explicit ScopedDialogCalls(CommonDialogCalls calls);
    ~ScopedDialogCalls();
    ScopedDialogCalls(const ScopedDialogCalls&) = delete;
    ScopedDialogCalls& operator=(const ScopedDialogCalls&) = delete;

private:
    CommonDialogCalls previous_;
};

}  // namespace controls
