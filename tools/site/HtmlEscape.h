#pragma once

#include <string>
#include <string_view>

// The escaping of the directory script: & < > " and ' become &amp; &lt; &gt; &quot; &#039;;
// every other byte (UTF-8 letters too) stays as it is.
std::string EscapeHtml(std::string_view text);
void AppendEscapedHtml(std::string& html, std::string_view text);
