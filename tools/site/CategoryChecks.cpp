#include "tools/site/CategoryChecks.h"

#include "tools/site/UrlTitle.h"

#include <algorithm>
#include <functional>

namespace {

// The reasons as the directory script words them; clients read them.
const char* const FieldRequired = "This field is required.";
const char* const SelectCategory = "Please select a category.";
const char* const TitleNotUnique = "Title is not unique in the parent category.";
const char* const UrlTitleNotUnique = "URL title is not unique in the parent category.";
const char* const UrlTitleNotAllowed = "Invalid URL path. Allowed symbols are: a-z, A-Z, 0-9, _, -";
const char* const SymbolicExists = "A symbolic category already exists for this category and parent category.";
const char* const SymbolicBesideTarget = "Symbolic category cannot have the same parent as the reference category.";

bool AnyChild(const TDirectory& directory, TCategoryId parent, const std::function<bool(const TSiteCategory&)>& is)
{
    const auto& children = directory.ChildrenOf(parent);
    return std::any_of(children.begin(), children.end(), [&](const TSiteCategory* child) { return is(*child); });
}

bool IsParent(const TDirectory& directory, const std::optional<TCategoryId>& id)
{
    return id && (*id == TopCategoryId || directory.IsRegularCategory(*id));
}

void CheckSiblings(const TCategoryPost& post, const TDirectory& directory, bool urlRewriting, TRefusals& refusals)
{
    const TCategoryId parent = *post.ParentId;
    if (!post.Title.empty() &&
        AnyChild(directory, parent, [&](const TSiteCategory& c) { return !c.Symbolic && c.Title == post.Title; }))
        refusals.emplace(TitleField, TitleNotUnique);
    // An empty URL title comes only from an empty title, which is refused already.
    if (!urlRewriting || post.TitleUrl.empty())
        return;
    if (!IsAllowedUrlTitle(post.TitleUrl))
        refusals.emplace(TitleUrlField, UrlTitleNotAllowed);
    else if (AnyChild(directory, parent,
                      [&](const TSiteCategory& c) { return !c.Symbolic && c.TitleUrl == post.TitleUrl; }))
        refusals.emplace(TitleUrlField, UrlTitleNotUnique);
}

}  // namespace

TRefusals StoreRefusals(const TCategoryPost& post, const TDirectory& directory)
{
    TRefusals refusals;
    if (post.Title.empty())
        refusals.emplace(TitleField, FieldRequired);
    if (post.Status != 1 && post.Status != 2)
        refusals.emplace(StatusField, FieldRequired);
    if (!IsParent(directory, post.ParentId))
        refusals.emplace(ParentField, SelectCategory);
    if (post.Form != TCategoryForm::Symbolic)
        return refusals;
    if (!post.TargetId || !directory.IsRegularCategory(*post.TargetId))
        refusals.emplace(TargetField, SelectCategory);
    else if (post.ParentId && AnyChild(directory, *post.ParentId, [&](const TSiteCategory& c) {
                 return c.Symbolic && c.SymbolicId == *post.TargetId;
             }))
        refusals.emplace(TargetField, SymbolicExists);
    return refusals;
}

TRefusals FormRefusals(const TCategoryPost& post, const TDirectory& directory, bool urlRewriting)
{
    TRefusals refusals = StoreRefusals(post, directory);
    if (refusals.count(ParentField) != 0)
        return refusals;
    if (post.Form == TCategoryForm::Regular)
        CheckSiblings(post, directory, urlRewriting, refusals);
    else if (refusals.count(TargetField) == 0 && directory.Find(*post.TargetId)->ParentId == *post.ParentId)
        refusals.emplace(ParentField, SymbolicBesideTarget);
    return refusals;
}

TSiteCategory CategoryOfPost(const TCategoryPost& post)
{
    TSiteCategory category;
    category.Title = post.Title;
    category.TitleUrl = post.TitleUrl;
    category.ParentId = post.ParentId.value_or(TopCategoryId);
    category.Status = post.Status.value_or(2);
    category.Symbolic = post.Form == TCategoryForm::Symbolic;
    category.SymbolicId = post.TargetId.value_or(TopCategoryId);
    return category;
}
