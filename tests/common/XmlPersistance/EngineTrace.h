#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Messages of the engine's trace records that were written after the given position of
// its log file; see EngineLogSize. Both write the logger's buffer first.
std::string EngineLogFileName();
std::uintmax_t EngineLogSize();
std::vector<std::string> EngineLogMessagesSince(std::uintmax_t position);
std::string EngineLogTextSince(std::uintmax_t position);
