#pragma once

#include "ScriptedTransport.h"

#include <string>
#include <vector>

// "<method> /admin/<page>" for every request sent, without the site's address, which
// differs from run to run.
std::vector<std::string> AdminRequests(const std::vector<TSentRequest>& sent);

// What a whole run sends for a tree of two categories, one inside the other, and one
// symbolic category, into a site that has none of them yet.
extern const std::vector<std::string> CompleteRunRequests;

// What the same run sends again once the site has the two categories: only the symbolic
// category is posted.
extern const std::vector<std::string> RepeatedRunRequests;

// What that run sends to a site that writes full form pages: the parent is fetched for as
// the child needs its identifier, the child is seen on the symbolic form, which is opened
// before the symbolic post.
extern const std::vector<std::string> FullFormPagesRunRequests;
