#pragma once
// The platform's file dialog (open or save) and colour dialog, with the colour dialog's custom colours kept
// while the program runs. Neither shows a message of its own: a cancelled or failed dialog only says false.
#include <windows.h>
#include <commdlg.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace controls {

// An owner of kNoOwner (or nullptr) shows the dialog without an owner.
inline const HWND kNoOwner = reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1));

// What the open or save dialog is given, and the file it gives back.
struct FileDialogArgs {
    std::wstring fileName{};  // in: the name the dialog starts with; out: the choice
    std::wstring fileTitle{};  // in: the title buffer's start; out: the chosen name without its folder
    bool fileMustExist = false;
    bool multiSelect = false;
    bool readOnly = false;
    bool hideReadOnly = false;
    // Description and pattern pairs separated by "|" or ":" ("Text (*.txt)|*.txt"); the index picks one from 1.
    std::wstring filter{};
    int filterIndex = 1;
    // Empty texts leave the folder, title and extension to the dialog.
    std::wstring initialFolder{};
    std::wstring dialogTitle{};
    std::wstring defaultExtension{};
    HWND owner = nullptr;  // nullptr or kNoOwner: none
    DWORD extraFlags = 0;
    bool open = true;  // false: the save dialog
};

// Shows the open or save dialog. On a choice, true with `fileName` the full path (with multiple selection
// allowed: one full path, or the folder, a NUL and the chosen names separated by NULs) and `fileTitle` the name
// without its folder (empty with multiple selection allowed); otherwise false with both empty.
bool ShowFileDialog(FileDialogArgs& args);

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
