#include "common/core/Exception.h"

#include <cxxabi.h>
#include <execinfo.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

namespace {

constexpr int MaxFrames = 64;

std::vector<void*> CaptureFrames()
{
    std::vector<void*> frames(MaxFrames);
    const int count = backtrace(frames.data(), MaxFrames);
    frames.resize(count > 0 ? count : 0);
    return frames;
}

std::string Demangle(const char* mangled)
{
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> name(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                     &std::free);
    return status == 0 && name ? std::string(name.get()) : std::string(mangled);
}

// backtrace_symbols gives "binary(mangled+0x1f) [0xaddr]"; show the demangled function.
std::string DescribeFrame(const char* symbol)
{
    const std::string text(symbol);
    const auto open = text.find('(');
    const auto plus = text.find('+', open == std::string::npos ? 0 : open);
    if (open == std::string::npos || plus == std::string::npos || plus == open + 1)
        return text;
    return Demangle(text.substr(open + 1, plus - open - 1).c_str()) + " in " + text.substr(0, open);
}

std::string FormatFrames(const std::vector<void*>& frames)
{
    if (frames.empty())
        return "(no stack trace available)";
    std::unique_ptr<char*, decltype(&std::free)> symbols(
        backtrace_symbols(frames.data(), static_cast<int>(frames.size())), &std::free);
    std::string text;
    for (size_t i = 0; i < frames.size(); ++i) {
        if (!text.empty())
            text += "\r\n";
        text += "  at " + (symbols ? DescribeFrame(symbols.get()[i]) : std::string("?"));
    }
    return text;
}

}  // namespace

Exception::Exception(std::string message) : Message(std::move(message)), Frames(CaptureFrames())
{
}

std::string Exception::StackTraceText() const
{
    return FormatFrames(Frames);
}

std::string ClassNameOf(const std::exception& e)
{
    return Demangle(typeid(e).name());
}

std::string StackTraceOf(const std::exception& e)
{
    if (const auto* own = dynamic_cast<const Exception*>(&e))
        return own->StackTraceText();
    return FormatFrames(CaptureFrames());
}
