#pragma once

#include <string>
#include <string_view>

// The text a browser shows for a stretch of page text: the character references decoded
// (&amp; &lt; &gt; &quot; &apos; &nbsp; and decimal or hexadecimal ones such as &#039;).
// A reference without its ";" or with an unknown name stays as written; a number that names
// no character (0, a surrogate, beyond U+10FFFF) gives U+FFFD, as in a browser.
std::string DecodeHtmlText(std::string_view html);
// The same, appended to `text`.
void AppendHtmlText(std::string& text, std::string_view html);
