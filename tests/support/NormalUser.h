#pragma once

#include <functional>

// Runs body in a child process that permission checks bind: when the tests run as root (as
// CI does), the child first becomes the user and group "nobody" (65534). Files the test made
// before must be reachable for that user (chmod the test's folder). Returns the value body
// returned, or -1 when the child ended otherwise (a crash, a signal).
int RunAsNormalUser(const std::function<int()>& body);

// The user id the child of RunAsNormalUser runs as.
unsigned NormalUserId();
