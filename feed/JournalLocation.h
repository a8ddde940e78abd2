#pragma once

#include <filesystem>
#include <string>

// The folder of the feed journals: "$XDG_STATE_HOME/tessaroo", or "~/.local/state/tessaroo"
// when XDG_STATE_HOME is unset, empty or not an absolute path. Fails with EFeedJournal when
// HOME is needed and not set.
std::filesystem::path JournalFolder();

// The journal file of the site an admin address belongs to, one per scheme, host and port:
// "http://localhost:8642/admin/index.php" gives "http-localhost-8642.journal". Bytes other
// than letters, digits, "." and "-" in the host are written as "%XX".
std::string JournalFileName(const std::string& adminAddress);
