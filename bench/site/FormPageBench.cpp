// How the new-category form page scales with the size of the directory: a feed reads it (as
// the answer of every post, and on every re-fetch) once or twice per category, so its cost
// decides how a large feed run behaves against the site. Both kinds of pages are measured,
// the real-site ones being the site's default. Compare the times per size in one run: they
// should grow with the size of the page and no faster.
#include "tests/support/RawHttp.h"
#include "tests/support/SiteProcess.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>
#include <utility>

namespace {

const char* const FormTarget = "/admin/dir_categs_edit.php?action=N";

std::string SessionCookie(int port)
{
    const std::string cookie = CookieFromResponse(RawHttpExchange(port, RawGetRequest("/admin/index.php")));
    RawHttpExchange(port,
                    RawPostRequest("/admin/login.php",
                                   RawFormBody({{"user", "admin"}, {"pass", "demo"}, {"submit", "Login"}}), cookie));
    // Opened, so that the site checks every post as it does for a feed.
    RawHttpExchange(port, RawGetRequest(FormTarget, cookie));
    return cookie;
}

std::string PostCategory(int port, const std::string& cookie, const std::string& title, const std::string& parent)
{
    return RawHttpExchange(port, RawPostRequest(FormTarget,
                                                RawFormBody({{"TITLE", title},
                                                             {"TITLE_URL", title},
                                                             {"PARENT_ID", parent},
                                                             {"STATUS", "2"},
                                                             {"submit", "Save"}}),
                                                cookie))
        .Body;
}

// Ten top categories, the rest spread below them, two levels deep.
void Fill(int port, const std::string& cookie, int count)
{
    for (int i = 0; i < count; ++i)
        PostCategory(port, cookie, "Category-" + std::to_string(i), i < 10 ? "0" : std::to_string(1 + i % 10));
}

struct TFilledSite {
    std::unique_ptr<TSiteProcess> Site;
    std::string Cookie;
    int Posted = 0;
};

TFilledSite& SiteWith(TSitePages pages, int count)
{
    static std::map<std::pair<TSitePages, int>, TFilledSite> sites;
    TFilledSite& filled = sites[{pages, count}];
    if (!filled.Site) {
        filled.Site = std::make_unique<TSiteProcess>(std::vector<std::string>{}, pages);
        filled.Cookie = SessionCookie(filled.Site->Port());
        Fill(filled.Site->Port(), filled.Cookie, count);
    }
    return filled;
}

void FormPageFetch(benchmark::State& state, TSitePages pages)
{
    TFilledSite& filled = SiteWith(pages, static_cast<int>(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state)
        bytes += RawHttpExchange(filled.Site->Port(), RawGetRequest(FormTarget, filled.Cookie)).Body.size();
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

// A post that the site takes, answered by the whole form page. Each iteration adds a category
// under one of the top ones, so the directory grows by the number of iterations (kept small
// beside the sizes measured).
void CategoryPost(benchmark::State& state, TSitePages pages)
{
    TFilledSite& filled = SiteWith(pages, static_cast<int>(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state) {
        const int posted = filled.Posted++;
        bytes += PostCategory(filled.Site->Port(), filled.Cookie, "Posted-" + std::to_string(posted),
                              std::to_string(1 + posted % 10))
                     .size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

}  // namespace

BENCHMARK_CAPTURE(FormPageFetch, RealSite, TSitePages::RealSite)
    ->Arg(10)
    ->Arg(1000)
    ->Arg(5000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FormPageFetch, Legacy, TSitePages::Legacy)
    ->Arg(10)
    ->Arg(1000)
    ->Arg(5000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CategoryPost, RealSite, TSitePages::RealSite)
    ->Arg(1000)
    ->Arg(5000)
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CategoryPost, Legacy, TSitePages::Legacy)
    ->Arg(1000)
    ->Arg(5000)
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);
