#pragma once

#include <exception>
#include <string>
#include <vector>

// Base of every error the program raises. It carries the message the user sees and the
// call stack at the point where it was constructed, so that a log record of the error can
// show where it came from. Derived classes add nothing but their type; the type's name is
// the error's class name (see ClassNameOf).
class Exception : public std::exception {
public:
    explicit Exception(std::string message);

    const char* what() const noexcept override { return Message.c_str(); }
    const std::string& message() const noexcept { return Message; }

    // For a handler that knows more of where the error happened (a file and a line) and
    // passes the same error on.
    void AppendToMessage(const std::string& text) { Message += text; }

    // The calls active when the error was constructed, one per line, innermost first.
    std::string StackTraceText() const;

private:
    std::string Message;
    std::vector<void*> Frames;
};

// The demangled type name of an error, e.g. "EXmlPersistance" or "std::runtime_error".
std::string ClassNameOf(const std::exception& e);

// The stack trace of an error: the one captured by Exception, or, for errors of other
// libraries, the calls active where this function is called from.
std::string StackTraceOf(const std::exception& e);
