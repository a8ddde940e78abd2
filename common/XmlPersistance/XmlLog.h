#pragma once

#include "common/logging/Logger.h"

#include <charconv>
#include <concepts>
#include <string>
#include <string_view>

// The engine's logger, for the file "XmlPersistance.log" of at most 1 MiB; none when logging
// could not start, and the engine then works without logs.
TLogger* XmlLogger();

// True when the engine writes its trace: llFullDebug records pass the threshold and the
// engine has a logger.
inline bool XmlTracing()
{
    return IsLogged(llFullDebug) && XmlLogger();
}

inline void AppendTracePart(std::string& line, std::string_view part)
{
    line += part;
}

inline void AppendTracePart(std::string& line, std::integral auto number)
{
    char digits[24];
    line.append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
}

// The text of the trace record being assembled on this thread, kept from record to record
// so that a record allocates nothing.
std::string& TraceLine();

// Writes one trace record at llFullDebug. The text is only assembled when such records
// are written, so that a trace below the threshold costs nothing on large documents.
template <class... TParts>
void XmlTrace(const TParts&... parts)
{
    if (!XmlTracing())
        return;
    std::string& line = TraceLine();
    line.clear();
    (AppendTracePart(line, parts), ...);
    XmlLogger()->Log(line, llFullDebug, nullptr);
}
