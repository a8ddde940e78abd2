#pragma once

#include "feed/CategoryListing.h"
#include "feed/FormAnswer.h"

#include <optional>
#include <string_view>

// One page of the site, read once for every question the feed asks of it: the site's tree of
// categories when the page lists it as a form page does (CategoryListing.h), and what it
// says about a post (FormAnswer.h). Borrows the page text.
class TSitePage {
public:
    explicit TSitePage(std::string_view text = {});
    // Reads another page, keeping the memory of this reading.
    void Read(std::string_view text);

    std::string_view Text() const { return PageText; }
    // nullptr when the page lists no such tree; it is read by the marker rule then.
    const TCategoryListing* Listing() const { return HasTree ? &Tree : nullptr; }
    const TFormAnswer& Answer() const { return PostAnswer; }

    // True when the page is a form page as a full directory site writes it: categories with
    // their level marks, the saved notice or the reasons of a refusal. Such a site sets up
    // the checks of a form when its page is opened; a site that lists its categories by the
    // bare marker gets the requests it always got.
    bool IsFullFormPage() const;

private:
    std::string_view PageText;
    TCategoryListing Tree;
    bool HasTree = false;
    TFormAnswer PostAnswer;
};
