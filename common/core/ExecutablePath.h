#pragma once

#include <string>

// Full path of the running executable, or empty when the system does not tell. It is read
// once and kept to the end of the process, so that what runs last (the log writers at exit,
// which name the critical log file after the executable) may still use it.
const std::string& ExecutablePath();
