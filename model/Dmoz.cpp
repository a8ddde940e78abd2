#include "model/Dmoz.h"

#include "common/XmlPersistance/PropertyDeclarations.h"
#include "common/core/CaseFold.h"
#include "common/core/Exception.h"
#include "common/core/Text.h"

#include <algorithm>

namespace {

TCategory* AsCategory(TBaseCategory* record)
{
    return dynamic_cast<TCategory*>(record);
}

template <class T>
void RemoveFirst(std::vector<T*>& records, const TBaseCategory* record)
{
    const auto found = std::find(records.begin(), records.end(), record);
    if (found != records.end())
        records.erase(found);
}

}  // namespace

void TDmoz::AddRecord(TBaseCategory* record)
{
    if (TCategory* category = AsCategory(record))
        Categories.push_back(category);
    else if (auto* symbolic = dynamic_cast<TSymbolicCategory*>(record))
        SymbolicCategories.push_back(symbolic);
    else
        throw Exception("A record of the category document must be a category or a symbolic category.");
}

void TDmoz::RemoveRecord(TBaseCategory* record)
{
    if (AsCategory(record))
        RemoveFirst(Categories, record);
    else
        RemoveFirst(SymbolicCategories, record);
}

TCategory* TDmoz::FindCategoryByID(std::int32_t id) const
{
    const auto found = std::find_if(Categories.begin(), Categories.end(),
                                    [id](const TCategory* category) { return category->ID == id; });
    return found != Categories.end() ? *found : nullptr;
}

TCategory* TDmoz::FindCategoryByUrl(const std::string& url) const
{
    const std::u16string wideUrl = Utf8ToUtf16(url);
    const auto found = std::find_if(Categories.begin(), Categories.end(), [&](const TCategory* category) {
        return SameTextIgnoringCase(category->Url, wideUrl);
    });
    return found != Categories.end() ? *found : nullptr;
}

const TXMLPersistentClass& TDmoz::ClassInfo()
{
    static const TXMLPersistentClass info(
        "TDmoz", nullptr,
        {BorrowedObjectArrayProperty<&TDmoz::Categories>("Categories", "TCategories"),
         BorrowedObjectArrayProperty<&TDmoz::SymbolicCategories>("SymbolicCategories", "TSymbolicCategories")},
        CreateInstance<TDmoz>);
    return info;
}
