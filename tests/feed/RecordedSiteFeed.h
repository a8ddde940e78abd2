#pragma once

#include "feed/FeedRun.h"
#include "feed/HTTPClientTransport.h"
#include "http/CookieManager.h"
#include "http/HTTPClient.h"
#include "model/tree/CategoryTree.h"

#include "RecordingTransport.h"
#include "RecordingView.h"

// What a feed into the stand-in site needs, as the window has it: a client of its own with
// its cookie store, a tree, and a transport and a view that record what
// the run sent and showed. The fields log in as the site's administrator; the test gives
// the domain.
struct TRecordedSiteFeed {
    TRecordedSiteFeed()
    {
        Client.SetCookieManager(&Cookies);
        Fields.Password = "demo";
    }

    void Run() { TFeedRun(View, Transport, Fields.Login(), Tree).Execute(); }

    TCookieManager Cookies;
    THTTPClient Client;
    THTTPClientTransport Http{Client};
    TRecordingTransport Transport{Http};
    TCategoryTree Tree;
    TRecordingView View;
    TLoginFields Fields;
};
