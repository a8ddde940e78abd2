#include "http/PublicSuffix.h"

#include <libpsl.h>

#include <memory>
#include <string>

namespace {

struct TListDeleter {
    void operator()(psl_ctx_t* list) const { psl_free(list); }
};

// The newer of the list built into libpsl and the one of the system's publicsuffix
// package, which is updated without rebuilding the library.
const psl_ctx_t* SuffixList()
{
    static const std::unique_ptr<psl_ctx_t, TListDeleter> latest(psl_latest(nullptr));
    return latest ? latest.get() : psl_builtin();
}

}  // namespace

bool IsPublicSuffix(std::string_view domain)
{
    const psl_ctx_t* list = SuffixList();
    return !list || psl_is_public_suffix(list, std::string(domain).c_str()) != 0;
}
