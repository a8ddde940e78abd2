#include "AdminRequests.h"

std::vector<std::string> AdminRequests(const std::vector<TSentRequest>& sent)
{
    std::vector<std::string> requests;
    for (const TSentRequest& request : sent)
        requests.push_back(request.Method + " " + request.Url.substr(request.Url.find("/admin/")));
    return requests;
}

const std::vector<std::string> CompleteRunRequests = {
    "GET /admin/index.php",
    "POST /admin/login.php",
    "GET /admin/dir_categs_edit.php?action=N",
    "POST /admin/dir_categs_edit.php?action=N",
    "POST /admin/dir_categs_edit.php?action=N",
    "POST /admin/dir_categs_edit.php?action=N&s=1",
    "GET /admin/logout.php",
};

const std::vector<std::string> FullFormPagesRunRequests = {
    "GET /admin/index.php",
    "POST /admin/login.php",
    "GET /admin/dir_categs_edit.php?action=N",
    "POST /admin/dir_categs_edit.php?action=N",
    "GET /admin/dir_categs_edit.php?action=N",
    "POST /admin/dir_categs_edit.php?action=N",
    "GET /admin/dir_categs_edit.php?action=N&s=1",
    "POST /admin/dir_categs_edit.php?action=N&s=1",
    "GET /admin/logout.php",
};

const std::vector<std::string> RepeatedRunRequests = {
    "GET /admin/index.php",
    "POST /admin/login.php",
    "GET /admin/dir_categs_edit.php?action=N",
    "POST /admin/dir_categs_edit.php?action=N&s=1",
    "GET /admin/logout.php",
};
