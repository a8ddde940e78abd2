#pragma once

#include "tools/site/Directory.h"
#include "tools/site/HtmlEscape.h"

#include <string>
#include <string_view>

// The site's pages as HTML text, and what its pages share. Every text that came from a user
// is escaped; the one deliberate exception is the listing attribute of the legacy category
// forms (see LegacyFormPage.cpp).

// A whole page: the title in the head, the body as given.
std::string HtmlDocument(const std::string& title, const std::string& body);

// A paragraph of the class around the html; nothing for empty html.
std::string HtmlParagraph(const std::string& cssClass, const std::string& html);

// The links above every admin page once logged in, the one to "logout.php" among them.
extern const char* const AdminMenu;

std::string LoginPage(const std::string& error);
std::string AdminHomePage(const std::string& user);
std::string LoggedOutPage();

// The public view of the directory: the whole tree, symbolic categories marked with "@" and
// the category they stand for.
std::string PublicTreePage(const TDirectory& directory);

std::string StatusPage(int status, const std::string& reason);
