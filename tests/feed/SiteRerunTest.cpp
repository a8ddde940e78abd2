// Runs that are stopped and run again, and trees with one name in several branches, against
// the stand-in site with the journal in a folder of the test.

#include "common/core/StopRequest.h"
#include "feed/FeedRun.h"
#include "feed/HTTPClientTransport.h"
#include "http/CookieManager.h"
#include "http/HTTPClient.h"
#include "model/CategoryClasses.h"
#include "model/tree/TreeBinding.h"

#include "RecordingView.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/SiteDatabase.h"
#include "tests/support/SiteProcess.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TreeXml.h"
#include "tests/support/WholeFile.h"
#include "tests/support/WorkingDirectory.h"

#include <gtest/gtest.h>

namespace {

// A view that requests the stop after a given number of entries.
class TStoppingView : public TRecordingView {
public:
    TStoppingView(TStopRequest& stop, std::size_t stopAfter) : Stop(stop), StopAfter(stopAfter) {}

    void ShowProgress(const TFeedProgress& progress) override
    {
        TRecordingView::ShowProgress(progress);
        if (progress.Done == StopAfter)
            Stop.Request();
    }

private:
    TStopRequest& Stop;
    std::size_t StopAfter;
};

class SiteRerun : public ::testing::Test {
protected:
    SiteRerun()
    {
        RegisterCategoryClasses();
        Client.SetCookieManager(&Cookies);
    }

    void Load(const std::string& xml)
    {
        WriteFile("tree.xml", xml);
        LoadTree(CategoryTree, "tree.xml");
    }

    TFeedOutcome Run(std::size_t stopAfter = 0)
    {
        Stop.Clear();
        TStoppingView view(Stop, stopAfter);
        TLoginFields fields;
        fields.Domain = Site.Domain();
        fields.Password = "demo";
        THTTPClientTransport transport(Client, &Stop);
        TFeedSettings settings;
        settings.Stop = &Stop;
        settings.KeepJournal = true;
        TFeedRun run(view, transport, fields.Login(), CategoryTree, std::move(settings));
        return run.Execute();
    }

    std::vector<std::string> SiteRows() const { return SiteCategories(Scratch.PathOf("site.db")); }

    TTempFolder Scratch;
    TWorkingDirectory InScratch{Scratch.Path()};
    TScopedEnvironment StateFolder{"XDG_STATE_HOME", Scratch.PathOf("state")};
    TSiteProcess Site{{"--db", Scratch.PathOf("site.db")}};
    TCookieManager Cookies;
    THTTPClient Client;
    TStopRequest Stop;
    TCategoryTree CategoryTree;
};

}  // namespace

TEST_F(SiteRerun, ARunStoppedHalfwayIsCompletedByTheNextAndAThirdCreatesNothing)
{
    Load(TreeXml(CategoryXml(1, "Arts", "Top/Arts",
                             CategoryXml(2, "Music", "Top/Arts/Music") + CategoryXml(3, "Dance", "Top/Arts/Dance")) +
                 CategoryXml(4, "Shopping", "Top/Shopping",
                             SymbolicXml("Records", 4, "Top/Arts/Music") + SymbolicXml("Shoes", 4, "Top/Arts/Dance")) +
                 CategoryXml(5, "Home", "Top/Home",
                             SymbolicXml("Sounds", 5, "Top/Arts/Music") + SymbolicXml("Moves", 5, "Top/Arts/Dance"))));
    const TFeedOutcome stopped = Run(7);
    EXPECT_EQ(stopped.End, TFeedEnd::Stopped);
    EXPECT_EQ(stopped.Created, 5u);
    EXPECT_EQ(stopped.SymbolicPosted, 2u);

    const TFeedOutcome rest = Run();
    EXPECT_EQ(rest.End, TFeedEnd::Finished);
    EXPECT_EQ(rest.Created, 0u);
    EXPECT_EQ(rest.AlreadyThere, 7u);
    EXPECT_EQ(rest.SymbolicPosted, 2u);
    EXPECT_EQ(SiteRows(),
              (std::vector<std::string>{"1 Arts under 0", "2 Music under 1", "3 Dance under 1", "4 Shopping under 0",
                                        "5 Home under 0", "6 Records@ under 4 for 2", "7 Shoes@ under 4 for 3",
                                        "8 Sounds@ under 5 for 2", "9 Moves@ under 5 for 3"}));

    const TFeedOutcome third = Run();
    EXPECT_EQ(third.Created + third.SymbolicPosted, 0u);
    EXPECT_EQ(SiteRows().size(), 9u);
}

TEST_F(SiteRerun, OneNameInTwoBranchesEndsUpUnderTheRightParentsAndASecondRunCreatesNothing)
{
    Load(TreeXml(CategoryXml(1, "Arts", "Top/Arts",
                             CategoryXml(2, "Music", "Top/Arts/Music", CategoryXml(3, "Jazz", "Top/Arts/Music/Jazz"))) +
                 CategoryXml(4, "Shopping", "Top/Shopping",
                             CategoryXml(5, "Music", "Top/Shopping/Music",
                                         CategoryXml(6, "Guitars", "Top/Shopping/Music/Guitars")) +
                                 SymbolicXml("Sounds", 5, "Top/Arts/Music"))));
    const TFeedOutcome first = Run();
    EXPECT_EQ(first.End, TFeedEnd::Finished);
    EXPECT_TRUE(first.Skipped.empty());
    const std::vector<std::string> fed = {"1 Arts under 0",         "2 Music under 1", "3 Jazz under 2",
                                          "4 Shopping under 0",     "5 Music under 4", "6 Guitars under 5",
                                          "7 Sounds@ under 5 for 2"};
    EXPECT_EQ(SiteRows(), fed);

    const TFeedOutcome second = Run();
    EXPECT_EQ(second.Created + second.SymbolicPosted, 0u);
    EXPECT_EQ(second.AlreadyThere, 7u);
    EXPECT_EQ(SiteRows(), fed);
}
