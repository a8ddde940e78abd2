#pragma once

#include <string_view>

// Whether a domain (lower case, without a leading dot) is one under which anyone may
// register names, such as "com", "co.uk" or "github.io", so that a cookie for it would go to
// unrelated sites. Read from the public suffix list the system keeps up to date; a name under
// a top-level domain the list does not know counts as registrable, its top level does not.
// Without any list every domain counts as a public suffix, so cookies stay with their host.
bool IsPublicSuffix(std::string_view domain);
