#include "http/HeaderList.h"

#include <gtest/gtest.h>

namespace {

TEST(HeaderList, LookupSetAndRemove)
{
    THeaderList headers;
    headers.Add("Set-Cookie: a=1");
    headers.Add("Content-Type:  text/html ");
    headers.Add("set-cookie: b=2");
    headers.Add("  ; path=/");
    EXPECT_EQ(headers.Values("content-type"), "text/html");
    EXPECT_EQ(headers.AllValues("SET-COOKIE"), (std::vector<std::string>{"a=1", "b=2 ; path=/"}));
    EXPECT_EQ(headers.Values("Missing"), "");

    headers.SetValue("set-cookie", "c=3");
    EXPECT_EQ(headers[0], "set-cookie: c=3");
    headers.SetValue("Content-Type", "");
    headers.SetValue("Set-Cookie", "");
    headers.SetValue("Set-Cookie", "");
    EXPECT_EQ(headers.Count(), 0u);
    headers.SetValue("Host", "h");
    EXPECT_EQ(headers.Text(), "Host: h\r\n");
}

TEST(HeaderList, LongValuesAreFoldedOutsideQuotes)
{
    std::string value;
    for (int i = 0; i < 200; ++i)
        value += "cookie" + std::to_string(i) + "=v; ";
    value += "q=\"" + std::string(1100, 'x') + " y\"";
    THeaderList headers;
    headers.SetValue("Cookie", value.substr(0, value.size()));
    ASSERT_GT(headers.Count(), 1u);
    for (size_t i = 1; i < headers.Count(); ++i)
        EXPECT_EQ(headers[i][0], ' ');
    for (size_t i = 0; i + 1 < headers.Count(); ++i)
        EXPECT_LE(headers[i].size(), THeaderList::FoldLength);
    // The quoted part is never broken, and reading the value back gives it whole.
    EXPECT_EQ(headers[headers.Count() - 1].find(" y\""), headers[headers.Count() - 1].size() - 3);
    EXPECT_EQ(headers.Values("Cookie"), std::string(value.begin(), value.end()));
}

}  // namespace
