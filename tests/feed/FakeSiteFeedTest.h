#pragma once

#include "FakeAdminSite.h"
#include "LoginFields.h"
#include "RecordingView.h"
#include "TestDocument.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WorkingDirectory.h"

#include <gtest/gtest.h>

// What a feed against the scripted site needs: a scratch working folder for the journal and
// the logs, the tree, the site and its transport, a view that records, the login fields, and
// a count of the pauses the run asked for.
class TFakeSiteFeedTest : public ::testing::Test {
protected:
    TTempFolder Scratch;
    TWorkingDirectory InScratch{Scratch.Path()};
    TScopedEnvironment StateFolder{"XDG_STATE_HOME", Scratch.PathOf("state")};
    TTestDocument Tree;
    TFakeAdminSite Site;
    TScriptedTransport Transport{Site.Responder()};
    TRecordingView View;
    TLoginFields Fields;
    int Pauses = 0;
};
