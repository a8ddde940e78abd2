#pragma once

#include "tools/site/CategoryForm.h"
#include "tools/site/Directory.h"

#include <map>
#include <optional>
#include <string>

// A post to a category form as the site reads it: titles trimmed of blanks, the URL title made
// from the title when none was posted, identifiers and the status as numbers when they are
// numbers.
struct TCategoryPost {
    TCategoryForm Form = TCategoryForm::Regular;
    std::string Title;
    std::string TitleUrl;
    std::optional<TCategoryId> ParentId;
    // What a symbolic category stands for.
    std::optional<TCategoryId> TargetId;
    std::optional<int> Status;
};

// Why a post is refused: form field name ("TITLE", "PARENT_ID", ...) -> the reason shown beside it.
using TRefusals = std::map<std::string, std::string>;

// What the database will not store, whether or not a form checked the post: a category without
// title or status, without an existing parent (or the top) to hang in, a symbolic category
// without an existing regular category to stand for, or a second symbolic category for one
// target under one parent.
TRefusals StoreRefusals(const TCategoryPost& post, const TDirectory& directory);

// What a form refuses once its checks are set up: what the store refuses, and further a title
// that a regular sibling already has, with urlRewriting a URL title that is not allowed or
// that a regular sibling already has, and a symbolic category under the parent of the
// category it stands for.
TRefusals FormRefusals(const TCategoryPost& post, const TDirectory& directory, bool urlRewriting);

// The category to store for a post that nothing refused.
TSiteCategory CategoryOfPost(const TCategoryPost& post);
