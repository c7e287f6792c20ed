#pragma once
// Internal to the form runtime: program-wide state shared by forms, controls and the message loop.
#include "runtime/App_win.h"

#include <windows.h>

#include <functional>

namespace rt {

class Form;

class FormRuntime {
public:
    // Runs `task` from the message loop (any loop, message boxes' too), after the tasks queued before it.
    static void Post(std::function<void()> task);
    // Fires Form_Deactivate/Form_Activate from the loop if activation moved to another program form.
    static void QueueActivationCheck();
    static void Forget(Form* form);  // the form is being unloaded or destroyed
    static Form* ActiveForm();
    // GotFocus/LostFocus of the control owning `hwnd`, from the loop.
    static void QueueFocusEvent(HWND hwnd, bool gained);
    // Runs a message loop while `running` holds; a WM_QUIT ends it and is posted again for the outer loop.
    static void RunModalLoop(const std::function<bool()>& running);
    static int LoadedFormCount();
    // A menu shortcut of the form that `message` (a key-down) is for: runs the menu's Click, returns true.
    static bool TranslateShortcut(const MSG& message);
    // After a window of the system (a message box) had the keyboard: the keys held now that were up in
    // `before` (a keyboard state taken when it opened) were pressed there, so their releases, which the
    // program's windows read next, are no key events of theirs.
    static void IgnoreReleasesOfKeysPressedSince(const BYTE (&before)[256]);
    // Whether a key message of the program's windows is such a release (taken once); a new press of the key
    // in them makes its release theirs again.
    static bool IsReleaseOfKeyPressedElsewhere(UINT message, WPARAM wParam, LPARAM lParam);
    // The Shift argument of a key message's events: ShiftState() read at a press; at the release of the key
    // pressed last, the press's reading, so that a typed key costs one reading (a trip to the window server
    // under Wine) instead of two. Any other key message between them and ForgetModifiers() drop the reading.
    static int ModifiersFor(UINT message, WPARAM key);
    // The modifiers may have changed without a key message of the program's windows (the focus or activation
    // moved, a menu or size loop or a message box had the keyboard): the next release reads them again.
    static void ForgetModifiers();
    // Hands a container's notification (WM_COMMAND, WM_CTLCOLOR*, WM_DRAWITEM, WM_NOTIFY) to the control it
    // is about; true when the control handled it.
    static bool ReflectNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Handles one message of `form`'s windows: the form counts as busy meanwhile, so an unload from inside
    // waits until the outermost handler returns, and no exception crosses into Windows.
    template <class Handle>
    static LRESULT Guarded(Form& form, Handle&& handle)
    {
        EnterBusy(form);
        LRESULT result = 0;
        try {
            result = handle();
        } catch (...) {
            ReportException();
        }
        LeaveBusy(form);
        return result;
    }

private:
    // Out of line: Form is only declared here, and its members cannot be reached through an incomplete type.
    static void EnterBusy(Form& form);
    static void LeaveBusy(Form& form);
};

}  // namespace rt
