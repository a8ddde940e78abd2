#include "feed/FormAnswer.h"

#include "common/core/TextTrim.h"
#include "feed/HtmlTag.h"
#include "feed/HtmlText.h"

#include <functional>

namespace {

constexpr std::string_view SavedNotice = "Category saved.";

// Calls `found` with the text of every element of that tag ("<span") and class, tags inside
// it left out.
void ForEachElementOfClass(std::string_view page, std::string_view tagName, std::string_view className,
                           const std::function<void(std::string)>& found)
{
    const std::string closing = "</" + std::string(tagName.substr(1));
    for (std::size_t at = page.find(tagName); at != std::string_view::npos; at = page.find(tagName, at + 1)) {
        if (!StartsTag(page, at, tagName))
            continue;
        THtmlTag tag(page, at);
        bool ofClass = false;
        while (const std::optional<THtmlTag::TAttribute> attribute = tag.NextAttribute())
            ofClass = ofClass || (attribute->Name == "class" && HasClass(attribute->Value, className));
        if (!ofClass)
            continue;
        const std::size_t start = tag.End();
        const std::size_t end = std::min(page.find(closing, start), page.size());
        std::string text;
        for (std::size_t pos = start; pos < end;) {
            const std::size_t tagStart = std::min(page.find('<', pos), end);
            text.append(page.substr(pos, tagStart - pos));
            const std::size_t tagEnd = page.find('>', tagStart);
            pos = tagStart == end || tagEnd == std::string_view::npos ? end : tagEnd + 1;
        }
        found(std::string(Trim(DecodeHtmlText(text))));
        at = end;
    }
}

}  // namespace

TFormAnswer ReadFormAnswer(std::string_view page)
{
    TFormAnswer answer;
    ForEachElementOfClass(page, "<div", "alert", [&](std::string text) { answer.Saved |= text == SavedNotice; });
    ForEachElementOfClass(page, "<span", "error", [&](std::string text) {
        if (!text.empty())
            answer.Refusals.push_back(std::move(text));
    });
    return answer;
}

std::string JoinedReasons(const std::vector<std::string>& reasons)
{
    std::string joined;
    for (const std::string& reason : reasons)
        joined += (joined.empty() ? "" : " ") + reason;
    return joined;
}
