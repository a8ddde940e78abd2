#pragma once

#include "common/logging/Logger.h"

#include <charconv>
#include <concepts>
#include <cstddef>
#include <string>
#include <string_view>

// The engine's logger, for the file "XmlPersistance.log" of at most 1 MiB; none when logging
// could not start, and the engine then works without logs.
TLogger* XmlLogger();

// Asks for the engine's logger, which starts the logging unit first (it writes its start-up
// record); raises the reason when logging cannot start.
void StartXmlLog();

// True when the engine writes its trace: llFullDebug records pass the threshold and the
// engine has a logger.
inline bool XmlTracing()
{
    return IsLogged(llFullDebug) && XmlLogger();
}

// One part of a trace record: a text as it is, or a number in decimal.
class TTracePart {
public:
    TTracePart(std::string_view text) : Borrowed(text) {}
    template <std::integral TNumber>
    TTracePart(TNumber number)
        : Length(static_cast<std::size_t>(std::to_chars(Digits, Digits + sizeof Digits, number).ptr - Digits))
    {
    }

    std::string_view Text() const { return Length > 0 ? std::string_view(Digits, Length) : Borrowed; }

private:
    std::string_view Borrowed;
    char Digits[24];
    std::size_t Length = 0;
};

// Writes one trace record at llFullDebug, its parts one after the other. Nothing is done
// unless such records are written, so that a trace below the threshold costs nothing on
// large documents.
template <class... TParts>
void XmlTrace(const TParts&... parts)
{
    if (!XmlTracing())
        return;
    const TTracePart texts[] = {TTracePart(parts)...};
    std::string_view pieces[sizeof...(parts)];
    for (std::size_t i = 0; i < sizeof...(parts); ++i)
        pieces[i] = texts[i].Text();
    XmlLogger()->Log(pieces, llFullDebug);
}
