#pragma once

#include <memory>
#include <string>

// Tells, without looking the path up again, whether the file at a path may have been
// renamed, deleted or replaced since the watch began: the folder reports every such
// change as it happens. A watch that lost track (its folder went away, the event queue
// overflowed, reading failed) reports a change from then on.
class TPathWatch {
public:
    // Null when the system cannot watch the path's folder.
    static std::unique_ptr<TPathWatch> Start(const std::string& path);

    ~TPathWatch();
    TPathWatch(const TPathWatch&) = delete;
    TPathWatch& operator=(const TPathWatch&) = delete;

    bool PathChanged();

private:
    TPathWatch(int descriptor, std::string fileName);
    bool Concerns(const struct inotify_event& event) const;

    int Descriptor;
    std::string FileName;
    bool Changed = false;
};
