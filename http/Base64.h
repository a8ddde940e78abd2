#pragma once

#include <string>
#include <string_view>

std::string Base64Encode(std::string_view bytes);
