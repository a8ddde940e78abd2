#include "cli/feed/PasswordSource.h"

#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>

namespace {

std::string WithoutLineEnd(std::string line)
{
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

std::string FirstLineOf(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        throw EPasswordSource("cannot read the password file \"" + fileName + "\": " + std::strerror(errno));
    std::string line;
    std::getline(in, line);
    if (in.bad())
        throw EPasswordSource("cannot read the password file \"" + fileName + "\": " + std::strerror(errno));
    return WithoutLineEnd(line);
}

// The terminal echoes nothing while the password is typed, and echoes again afterwards.
std::string AskOnTerminal(const std::string& prompt)
{
    termios saved{};
    tcgetattr(STDIN_FILENO, &saved);
    termios silent = saved;
    silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    std::cerr << prompt << std::flush;
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent);
    std::string line;
    const bool read = static_cast<bool>(std::getline(std::cin, line));
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    std::cerr << "\n";
    if (!read)
        throw EPasswordSource("no password was typed");
    return WithoutLineEnd(line);
}

}  // namespace

std::string ReadPassword(const std::string& passwordFile, const std::string& prompt)
{
    if (!passwordFile.empty())
        return FirstLineOf(passwordFile);
    if (const char* password = std::getenv("TESSAROO_PASSWORD"))
        return password;
    if (isatty(STDIN_FILENO))
        return AskOnTerminal(prompt);
    throw EPasswordSource("no password: give --password-file FILE, set TESSAROO_PASSWORD, or run on a terminal");
}
