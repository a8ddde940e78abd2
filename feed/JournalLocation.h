#pragma once

#include <filesystem>
#include <string>

// The folder of the feed journals: the state folder (StateFolder(), "~/.local/state/tessaroo"
// by default). Fails with EFeedJournal when HOME is needed and not set.
std::filesystem::path JournalFolder();

// The journal file of the site an admin address belongs to, one per scheme, host and port:
// "http://localhost:8642/admin/index.php" gives "http-localhost-8642.journal". Bytes other
// than letters, digits, "." and "-" in the host are written as "%XX".
std::string JournalFileName(const std::string& adminAddress);
