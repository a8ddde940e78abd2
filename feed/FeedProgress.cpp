#include "feed/FeedProgress.h"

#include <cstdio>

std::optional<std::chrono::milliseconds> TFeedProgress::Remaining() const
{
    if (Done < EntriesBeforeEstimate || Done > Total)
        return std::nullopt;
    const double perEntry = static_cast<double>(Elapsed.count()) / static_cast<double>(Done);
    return std::chrono::milliseconds(static_cast<long long>(perEntry * static_cast<double>(Total - Done)));
}

double TFeedProgress::Rate() const
{
    return Elapsed.count() > 0 ? static_cast<double>(Done) * 1000.0 / static_cast<double>(Elapsed.count()) : 0.0;
}

std::string FormatDuration(std::chrono::milliseconds duration)
{
    const long long seconds = duration.count() / 1000;
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

std::string ProgressText(const TFeedProgress& progress)
{
    std::string text = std::to_string(progress.Done) + " of " + std::to_string(progress.Total) + " entries, " +
                       FormatDuration(progress.Elapsed) + " elapsed";
    if (const auto remaining = progress.Remaining())
        text += ", about " + FormatDuration(*remaining) + " left";
    return text;
}
