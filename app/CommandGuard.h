#pragma once

#include <functional>
#include <vector>

class QWidget;

// Keeps commands from overlapping. A command may let the window process its messages, and
// then a click could start another one that changes the tree under it. So
// while one runs, the command controls are disabled (and enabled again on every path,
// errors included), a second command is refused, and a request to close the window waits
// until the command ends.
class TCommandGuard {
public:
    // The controls are borrowed; they must outlive the guard's commands.
    explicit TCommandGuard(std::vector<QWidget*> controls);

    bool IsBusy() const { return Busy; }

    // Runs the command unless one is running already (then returns false). Errors of the
    // command pass on to the caller after the controls are enabled again.
    bool Run(const std::function<void()>& command);

    // Asked when the window is to close: true when a command runs, and the close is then
    // remembered for its end.
    bool DeferClose();
    // True once after a command ended with a close waiting.
    bool TakeDeferredClose();

private:
    void SetControlsEnabled(bool enabled);

    std::vector<QWidget*> Controls;
    bool Busy = false;
    bool CloseWaiting = false;
};
