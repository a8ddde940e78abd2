#pragma once

#include <optional>
#include <string>
#include <variant>

// The options of one tessaroo-feed call. The password is never an option: the process list
// shows every argument to every user of the machine.
struct TFeedCommand {
    std::string Domain;
    std::string User;
    std::string TreeFile = "tree.xml";
    std::string PasswordFile;
    std::optional<int> TimeoutSeconds;
    bool DryRun = false;
    bool NoJournal = false;
};

// The command, or the exit code when the call ends here: 0 after --help or --version (their
// text is printed), 2 after a usage error (its message is printed).
std::variant<TFeedCommand, int> ParseFeedCommandLine(int argc, const char* const* argv);
