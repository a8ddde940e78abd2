#include "tests/support/NormalUser.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

namespace {

constexpr unsigned Nobody = 65534;

bool DropRootPrivileges()
{
    if (::geteuid() != 0)
        return true;
    return ::setgroups(0, nullptr) == 0 && ::setgid(Nobody) == 0 && ::setuid(Nobody) == 0;
}

}  // namespace

unsigned NormalUserId()
{
    return ::geteuid() == 0 ? Nobody : ::geteuid();
}

int RunAsNormalUser(const std::function<int()>& body)
{
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        // _exit: the child must not run the parent's atexit handlers or flush its streams twice.
        if (!DropRootPrivileges())
            ::_exit(125);
        ::_exit(body());
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}
