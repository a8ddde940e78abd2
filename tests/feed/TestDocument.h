#pragma once

#include "feed/CategoryPaths.h"
#include "model/Dmoz.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

// Records owned by the test, indexed by a document, with their tree parents by ID.
class TTestDocument {
public:
    // The Url is "Top/<name>" unless one is given.
    TCategory* Category(const std::u16string& name, std::int32_t id, TCategory* parent = nullptr,
                        const std::u16string& url = u"")
    {
        auto record = std::make_unique<TCategory>();
        record->Name = name;
        record->Url = url.empty() ? u"Top/" + name : url;
        record->ID = id;
        TCategory* category = record.get();
        Records.push_back(std::move(record));
        Document.AddRecord(category);
        Parents.emplace(id, parent);
        return category;
    }

    void Symbolic(const std::u16string& name, const std::u16string& url, std::int32_t parent)
    {
        auto record = std::make_unique<TSymbolicCategory>();
        record->Name = name;
        record->Url = url;
        record->Parent = parent;
        Document.AddRecord(record.get());
        Records.push_back(std::move(record));
    }

    TParentLookup ParentLookup() const
    {
        return [this](std::int32_t id) -> const TBaseCategory* {
            const auto found = Parents.find(id);
            return found == Parents.end() ? nullptr : found->second;
        };
    }

    TDmoz Document;

private:
    std::vector<std::unique_ptr<TBaseCategory>> Records;
    std::map<std::int32_t, const TBaseCategory*> Parents;
};
