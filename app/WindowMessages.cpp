#include "app/WindowMessages.h"

#include <QCoreApplication>

#include <chrono>

namespace {

constexpr std::chrono::milliseconds Interval{15};

}  // namespace

TProcessMessages WindowProcessMessages()
{
    return [last = std::chrono::steady_clock::time_point()]() mutable {
        const auto now = std::chrono::steady_clock::now();
        if (now - last < Interval)
            return;
        QCoreApplication::processEvents();
        last = std::chrono::steady_clock::now();
    };
}
