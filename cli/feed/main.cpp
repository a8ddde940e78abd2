#include "cli/feed/FeedTool.h"

int main(int argc, char** argv)
{
    return RunFeedTool(argc, argv);
}
