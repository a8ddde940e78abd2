#include "app/CommandGuard.h"

#include <QWidget>

TCommandGuard::TCommandGuard(std::vector<QWidget*> controls) : Controls(std::move(controls))
{
}

void TCommandGuard::SetControlsEnabled(bool enabled)
{
    for (QWidget* control : Controls)
        control->setEnabled(enabled);
}

bool TCommandGuard::Run(const std::function<void()>& command)
{
    if (Busy)
        return false;
    struct TBusyScope {
        TCommandGuard& Guard;
        explicit TBusyScope(TCommandGuard& guard) : Guard(guard)
        {
            Guard.Busy = true;
            Guard.SetControlsEnabled(false);
        }
        ~TBusyScope()
        {
            Guard.SetControlsEnabled(true);
            Guard.Busy = false;
        }
    } scope(*this);
    command();
    return true;
}

bool TCommandGuard::DeferClose()
{
    if (Busy)
        CloseWaiting = true;
    return Busy;
}

bool TCommandGuard::TakeDeferredClose()
{
    const bool waiting = CloseWaiting;
    CloseWaiting = false;
    return waiting;
}
