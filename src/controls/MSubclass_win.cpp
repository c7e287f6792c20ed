#include "controls/MSubclass_win.h"

#include "controls/SubclassTable.h"
#include "core/ProgramState.h"
#include "runtime/ErrorState.h"
#include "runtime/LastError_win.h"
#include "runtime/Resources_win.h"

#include <type_traits>

namespace controls {

static_assert(std::is_same_v<SubclassWindow, HWND>);
static_assert(std::is_same_v<SubclassWParam, WPARAM>);
static_assert(std::is_same_v<SubclassLParam, LPARAM>);
static_assert(std::is_same_v<SubclassResult, LRESULT>);

namespace {

LRESULT CALLBACK SubclassWindowProc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam);

class Win32Host : public SubclassHost {
public:
    bool IsWindow(SubclassWindow hWnd) override { return ::IsWindow(hWnd) != FALSE; }
    bool IsOwnProcessWindow(SubclassWindow hWnd) override
    {
        DWORD process = 0;
        GetWindowThreadProcessId(hWnd, &process);
        return process == GetCurrentProcessId();
    }
    std::intptr_t GetProperty(SubclassWindow hWnd, const std::string& name) override
    {
        return reinterpret_cast<std::intptr_t>(GetPropA(hWnd, name.c_str()));
    }
    bool SetProperty(SubclassWindow hWnd, const std::string& name, std::intptr_t value) override
    {
        if (value == 0) {
            RemovePropA(hWnd, name.c_str());  // absent already is as good as removed
            return true;
        }
        if (SetPropA(hWnd, name.c_str(), reinterpret_cast<HANDLE>(value)))
            return true;
        RT_LOG_LAST_ERROR("SetPropA");
        return false;
    }
    std::intptr_t InstallProcedure(SubclassWindow hWnd) override
    {
        SetLastError(0);
        const LONG_PTR previous =
            SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassWindowProc));
        if (previous == 0)
            RT_LOG_LAST_ERROR("SetWindowLongPtrW");
        return previous;
    }
    void RestoreProcedure(SubclassWindow hWnd, std::intptr_t procedure) override
    {
        if (!SetWindowLongPtrW(hWnd, GWLP_WNDPROC, procedure))
            RT_LOG_LAST_ERROR("SetWindowLongPtrW");
    }
    SubclassResult CallProcedure(std::intptr_t procedure, SubclassWindow hWnd, unsigned iMsg, SubclassWParam wParam,
                                 SubclassLParam lParam) override
    {
        return CallWindowProcW(reinterpret_cast<WNDPROC>(procedure), hWnd, iMsg, wParam, lParam);
    }
    bool Closing() override { return core::Program().Fechando != 0; }
};

// Never destroyed: a window still subclassed while the program's statics go must still find its table.
SubclassTable& Table()
{
    static SubclassTable* const table = new SubclassTable(*new Win32Host);
    return *table;
}

LRESULT CALLBACK SubclassWindowProc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam)
{
    return Table().Dispatch(hWnd, iMsg, wParam, lParam);
}

// Records a failed attach as the current error, as a control of this program raises it.
void RaiseSubclassError(int number)
{
    if (number < 1001) {
        rt::Err().Raise(number);
        return;
    }
    rt::Err().Raise(number | rt::kObjectError, rt::ExeName() + L".WindowProc");
}

}  // namespace

void SubclassAttach(ISubclass& handler, HWND hWnd, UINT iMsg)
{
    if (const int error = Table().Attach(handler, hWnd, iMsg); error != 0)
        RaiseSubclassError(error);
}

void SubclassDetach(ISubclass& handler, HWND hWnd, UINT iMsg)
{
    Table().Detach(handler, hWnd, iMsg);
}

void SubclassDetachAll(ISubclass& handler)
{
    Table().DetachAll(handler);
}

void SubclassRestore(HWND hWnd)
{
    Table().Restore(hWnd);
}

LRESULT CallOriginalWindowProc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam)
{
    return Table().CallOriginal(hWnd, iMsg, wParam, lParam);
}

UINT CurrentSubclassMessage()
{
    return Table().CurrentMessage();
}

}  // namespace controls
