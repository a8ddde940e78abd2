#include "http/InternetDate.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono;

sys_seconds At(int y, unsigned m, unsigned d, int hh, int mm, int ss)
{
    return sys_days(year(y) / month(m) / day(d)) + hours(hh) + minutes(mm) + seconds(ss);
}

TEST(InternetDate, CommonForms)
{
    EXPECT_EQ(ReadInternetDate("Thu, 01-Jan-1970 00:00:01 GMT"), At(1970, 1, 1, 0, 0, 1));
    EXPECT_EQ(ReadInternetDate("Sunday, 06-Nov-94 08:49:37 GMT"), At(1994, 11, 6, 8, 49, 37));
    EXPECT_EQ(ReadInternetDate("Sun, 06 Nov 1994 08:49:37 GMT"), At(1994, 11, 6, 8, 49, 37));
    EXPECT_EQ(ReadInternetDate("Sun Nov  6 08:49:37 1994"), At(1994, 11, 6, 8, 49, 37));
    EXPECT_EQ(ReadInternetDate("Mon, 7 Dec 2026 09:00:00 +0100"), At(2026, 12, 7, 8, 0, 0));
    EXPECT_EQ(ReadInternetDate("Mon, 7 Dec 2026 09:00:00 -0230"), At(2026, 12, 7, 11, 30, 0));
}

TEST(InternetDate, TwoDigitYearsFollowTheCookieRule)
{
    EXPECT_EQ(ReadInternetDate("Thu, 01-Jan-70 00:00:01 GMT"), At(1970, 1, 1, 0, 0, 1));
    EXPECT_EQ(ReadInternetDate("Fri, 01-Jan-99 00:00:00 GMT"), At(1999, 1, 1, 0, 0, 0));
    EXPECT_EQ(ReadInternetDate("Sat, 01-Jan-00 00:00:00 GMT"), At(2000, 1, 1, 0, 0, 0));
    EXPECT_EQ(ReadInternetDate("Sun, 01-Jan-69 00:00:00 GMT"), At(2069, 1, 1, 0, 0, 0));
}

TEST(InternetDate, TokensInAnyOrderAndFarFutureDates)
{
    EXPECT_EQ(ReadInternetDate("08:49:37 6 nov 1994"), At(1994, 11, 6, 8, 49, 37));
    EXPECT_EQ(ReadInternetDate("1994-November-06 8:49:37Z"), At(1994, 11, 6, 8, 49, 37));
    EXPECT_EQ(ReadInternetDate("Wed Dec 31 23:59:59 2025"), At(2025, 12, 31, 23, 59, 59));
    EXPECT_EQ(ReadInternetDate("Fri, 31 Dec 9999 23:59:59 GMT"), At(9999, 12, 31, 23, 59, 59));
}

TEST(InternetDate, UnreadableTextsGiveNothing)
{
    EXPECT_FALSE(ReadInternetDate("someday"));
    EXPECT_FALSE(ReadInternetDate(""));
    EXPECT_FALSE(ReadInternetDate("Thu, 31-Feb-2026 00:00:00 GMT"));
    EXPECT_FALSE(ReadInternetDate("Thu, 01-Foo-2026 00:00:00 GMT"));
    EXPECT_FALSE(ReadInternetDate("Thu, 01-Jan-2026 25:00:00 GMT"));
    EXPECT_FALSE(ReadInternetDate("Thu, 01-Jan-1600 00:00:00 GMT"));
    EXPECT_FALSE(ReadInternetDate("Thu, 01-Jan 00:00:00 GMT"));
    EXPECT_FALSE(ReadInternetDate("Thu, 001-Jan-2026 00:00:00 GMT"));
}

TEST(InternetDate, FormattedLocalDateReadsBack)
{
    const auto now = floor<seconds>(system_clock::now());
    const std::string text = FormatLocalInternetDate(now);
    EXPECT_EQ(ReadInternetDate(text), now) << text;
}

}  // namespace
