#pragma once
// The timer: raises Tick every Interval milliseconds while it is enabled, Interval is not 0 and its form is
// loaded (shown or not).
#include "runtime/Control_win.h"

namespace rt {

class Timer : public ControlBase {
public:
    Timer() = default;

    int Interval() const { return interval_; }
    void SetInterval(int milliseconds);
    void SetEnabled(bool enabled) override;

    // The timer's event (named Timer in the design: assign the form's Timer1_Timer handler here).
    std::function<void()> Tick;

protected:
    void ResetProperties() override;
    void OnFormCreated() override;
    void OnFormDestroying() override;

private:
    friend class Form;
    void Restart();
    UINT_PTR Id() const;

    int interval_ = 0;
};

}  // namespace rt
