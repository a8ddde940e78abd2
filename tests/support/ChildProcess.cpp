#include "tests/support/ChildProcess.h"

extern char** environ;

namespace {

std::vector<char*> NullTerminated(std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (std::string& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

int SpawnProgram(pid_t& pid, const std::string& program, const std::vector<std::string>& arguments,
                 const posix_spawn_file_actions_t& actions, std::optional<std::vector<std::string>> environment)
{
    std::vector<std::string> command{program};
    command.insert(command.end(), arguments.begin(), arguments.end());
    const std::vector<char*> argv = NullTerminated(command);
    const std::vector<char*> envp = environment ? NullTerminated(*environment) : std::vector<char*>();
    return posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environment ? envp.data() : environ);
}
