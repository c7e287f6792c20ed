#include "runtime/Timer_win.h"

#include "runtime/Form_win.h"
#include "runtime/LastError_win.h"

namespace rt {

namespace {
constexpr UINT_PTR kFirstTimerId = 0x2000;
}

UINT_PTR Timer::Id() const
{
    return kFirstTimerId + static_cast<UINT_PTR>(DesignOrder());
}

void Timer::ResetProperties()
{
    ControlBase::ResetProperties();
    interval_ = 0;
}

void Timer::SetInterval(int milliseconds)
{
    interval_ = milliseconds < 0 ? 0 : milliseconds;
    Restart();
}

void Timer::SetEnabled(bool enabled)
{
    ControlBase::SetEnabled(enabled);
    Restart();
}

void Timer::OnFormCreated()
{
    Restart();
}

void Timer::OnFormDestroying()
{
    if (Parent() && Parent()->hWnd())
        KillTimer(Parent()->hWnd(), Id());
}

void Timer::Restart()
{
    HWND hwnd = Parent() ? Parent()->hWnd() : nullptr;
    if (!hwnd)
        return;
    // A timer that is not running has nothing to kill: the result does not matter.
    KillTimer(hwnd, Id());
    if (Enabled() && interval_ > 0 && !SetTimer(hwnd, Id(), static_cast<UINT>(interval_), nullptr))
        RT_LOG_LAST_ERROR("SetTimer");
}

}  // namespace rt
