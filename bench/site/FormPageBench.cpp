// How the new-category form page scales with the size of the directory: a feed fetches it
// (as the answer of every post) once per category, so its cost decides how a large feed
// run behaves against the site. Compare the times per size in one run.
#include "tests/support/RawHttp.h"
#include "tests/support/SiteProcess.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>

namespace {

std::string SessionCookie(int port)
{
    const std::string cookie = CookieFromResponse(RawHttpExchange(port, RawGetRequest("/admin/index.php")));
    RawHttpExchange(port,
                    RawPostRequest("/admin/login.php",
                                   RawFormBody({{"user", "admin"}, {"pass", "demo"}, {"submit", "Login"}}), cookie));
    return cookie;
}

// Ten top categories, the rest spread below them, two levels deep.
void Fill(int port, const std::string& cookie, int count)
{
    for (int i = 0; i < count; ++i) {
        const std::string parent = i < 10 ? "0" : std::to_string(1 + i % 10);
        RawHttpExchange(port, RawPostRequest("/admin/dir_categs_edit.php?action=N",
                                             RawFormBody({{"TITLE", "Category " + std::to_string(i)},
                                                          {"PARENT_ID", parent},
                                                          {"STATUS", "2"},
                                                          {"submit", "Save"}}),
                                             cookie));
    }
}

struct TFilledSite {
    std::unique_ptr<TSiteProcess> Site;
    std::string Cookie;
};

TFilledSite& SiteWith(int count)
{
    static std::map<int, TFilledSite> sites;
    TFilledSite& filled = sites[count];
    if (!filled.Site) {
        filled.Site = std::make_unique<TSiteProcess>();
        filled.Cookie = SessionCookie(filled.Site->Port());
        Fill(filled.Site->Port(), filled.Cookie, count);
    }
    return filled;
}

void FormPageFetch(benchmark::State& state)
{
    TFilledSite& filled = SiteWith(static_cast<int>(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state)
        bytes +=
            RawHttpExchange(filled.Site->Port(), RawGetRequest("/admin/dir_categs_edit.php?action=N", filled.Cookie))
                .Body.size();
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

}  // namespace

BENCHMARK(FormPageFetch)->Arg(10)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);
