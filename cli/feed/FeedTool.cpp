#include "cli/feed/FeedTool.h"

#include "cli/console/StopSignals.h"
#include "cli/feed/ConsoleFeedView.h"
#include "cli/feed/ExitCodes.h"
#include "cli/feed/FeedCommandLine.h"
#include "cli/feed/PasswordSource.h"
#include "common/core/StopRequest.h"
#include "feed/AdminAddresses.h"
#include "feed/FeedErrors.h"
#include "feed/FeedRun.h"
#include "feed/HTTPClientTransport.h"
#include "http/CookieManager.h"
#include "http/HTTPClient.h"
#include "model/CategoryModelStartup.h"
#include "model/tree/TreeBinding.h"

#include <unistd.h>

#include <iostream>
#include <utility>

namespace {

constexpr const char* ToolName = "tessaroo-feed: ";

int ExitCodeOf(const TFeedOutcome& outcome)
{
    switch (outcome.End) {
    case TFeedEnd::Finished:
        if (outcome.Skipped.empty() && outcome.Failed.empty())
            return ecDone;
        return ecEntriesNotDone;
    case TFeedEnd::Stopped: return ecStopped;
    case TFeedEnd::LoginRefused: return ecLoginRefused;
    case TFeedEnd::NetworkFailure: return ecNetwork;
    case TFeedEnd::Failed: break;
    }
    return ecEntriesNotDone;
}

// The feed's view reports every error the run meets ("Feed failed: ..."), so only the exit
// code is left to tell.
int Feed(const TFeedCommand& command, const TCategoryTree& tree, TFeedLogin login)
{
    TStopRequest stop;
    StopOnSignals(stop, TSecondSignal::EndsProgram);
    TCookieManager cookies;
    THTTPClient client;
    client.SetCookieManager(&cookies);
    if (command.TimeoutSeconds)
        client.ReadTimeout = *command.TimeoutSeconds * 1000;
    THTTPClientTransport transport(client, &stop);
    TConsoleFeedView view(std::cout, std::cerr, isatty(STDERR_FILENO));
    TFeedSettings settings;
    settings.Stop = &stop;
    settings.KeepJournal = !command.NoJournal;
    settings.DryRun = command.DryRun;
    TFeedRun run(view, transport, std::move(login), tree, std::move(settings));
    try {
        return ExitCodeOf(run.Execute());
    } catch (const ENetException&) {
        return ecNetwork;
    } catch (const std::exception&) {
        return ecEntriesNotDone;
    }
}

}  // namespace

int RunFeedTool(int argc, const char* const* argv)
{
    const auto parsed = ParseFeedCommandLine(argc, argv);
    if (const int* exitCode = std::get_if<int>(&parsed))
        return *exitCode;
    const TFeedCommand& command = std::get<TFeedCommand>(parsed);
    TFeedLogin login{{}, command.User, {}};
    try {
        login.Addresses = BuildAdminAddresses(command.Domain);
    } catch (const EAdminDomain& error) {
        std::cerr << ToolName << "--domain: " << error.what() << std::endl;
        return ecUsage;
    }

    if (const auto loggingError = StartCategoryModel())
        std::cerr << ToolName << "logging is off: " << *loggingError << std::endl;
    TCategoryTree tree;
    try {
        LoadTree(tree, command.TreeFile);
    } catch (const std::exception& error) {
        std::cerr << ToolName << "cannot read the tree \"" << command.TreeFile << "\": " << error.what() << std::endl;
        return ecTreeUnreadable;
    }

    try {
        login.Password =
            ReadPassword(command.PasswordFile, "Password for " + command.User + " at " + command.Domain + ": ");
    } catch (const EPasswordSource& error) {
        std::cerr << ToolName << error.what() << std::endl;
        return ecUsage;
    }
    return Feed(command, tree, std::move(login));
}
