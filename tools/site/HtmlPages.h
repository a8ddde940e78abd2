#pragma once

#include "tools/site/Directory.h"

#include <string>

// The site's pages as HTML text. Every text that came from a user is escaped; the one
// deliberate exception is the listing attribute of the category forms (see HtmlPages.cpp).

std::string EscapeHtml(const std::string& text);

std::string LoginPage(const std::string& error);
std::string AdminHomePage(const std::string& user);
std::string LoggedOutPage();

// What a category form page reports about the last post: either a notice or an error.
struct TFormOutcome {
    std::string Notice;
    std::string Error;
};

// The new-category form (symbolic = false) or the new-symbolic-category form. Both list
// every regular category in tree order as three underscores per level of depth, the name
// and a double quote, followed by the category's value="ID".
std::string CategoryFormPage(const std::vector<TListedCategory>& listing, bool symbolic, const TFormOutcome& outcome);

// The public view of the directory: the whole tree, symbolic categories marked with "@".
std::string PublicTreePage(const TDirectory& directory);

std::string StatusPage(int status, const std::string& reason);
