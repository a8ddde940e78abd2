#include "common/core/Exception.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {
class ESample : public Exception {
public:
    using Exception::Exception;
};
}  // namespace

TEST(Exception, CarriesMessageClassNameAndMultiLineTrace)
{
    try {
        throw ESample("went wrong");
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "went wrong");
        EXPECT_EQ(ClassNameOf(e), "(anonymous namespace)::ESample");
        const std::string trace = StackTraceOf(e);
        EXPECT_NE(trace.find("\r\n"), std::string::npos);
        EXPECT_NE(trace.find("  at "), std::string::npos);
    }
}

TEST(Exception, ForeignErrorsGetTheirTypeNameAndATrace)
{
    const std::runtime_error error("x");
    EXPECT_EQ(ClassNameOf(error), "std::runtime_error");
    EXPECT_FALSE(StackTraceOf(error).empty());
}
