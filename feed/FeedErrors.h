#pragma once

#include "common/core/Exception.h"

// The Domain field holds something other than a bare host name (with an optional port).
class EAdminDomain : public Exception {
public:
    using Exception::Exception;
};

// A posted category did not show up on the site's form page after every re-fetch.
class ECategoryNotAdded : public Exception {
public:
    using Exception::Exception;
};

// The page dump file could not be created or written.
class EPageDump : public Exception {
public:
    using Exception::Exception;
};

// The journal of a site could not be read or written, or holds a line that is no record.
class EFeedJournal : public Exception {
public:
    using Exception::Exception;
};
