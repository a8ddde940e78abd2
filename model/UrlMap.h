#pragma once

#include "common/core/CaseFold.h"
#include "model/CategoryUrl.h"

#include <string_view>
#include <unordered_map>

// Categories by Url without regard to letter case, the way the feed looks up the target of a
// symbolic category. The keys are views of Urls that must outlive the map.
template <class TValue>
using TUrlMap = std::unordered_map<std::u16string_view, TValue, TCaseInsensitiveHash, TCaseInsensitiveEqual>;
