#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

// The fuzzer's bytes as text; the seeds are text files a person can read and edit.
std::string_view InputText(const std::uint8_t* data, std::size_t size);

// The pieces between the separators; text without one is a single piece.
std::vector<std::string_view> SplitAt(std::string_view text, std::string_view separator);

// The first line (without its LF) and what follows it.
std::pair<std::string_view, std::string_view> FirstLineAndRest(std::string_view text);

// The first word (up to the first blank) and what follows that blank.
std::pair<std::string_view, std::string_view> FirstWordAndRest(std::string_view line);
