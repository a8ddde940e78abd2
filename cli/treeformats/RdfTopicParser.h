#pragma once

#include "common/core/StopRequest.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// One symbolic entry of a topic, its resource as it stands ("Name:Top/Target").
struct TRdfLink {
    std::string Resource;
    std::size_t Line = 0;
};

// One Topic element of a directory's RDF structure dump, as far as a category tree needs it.
// Texts are UTF-8, without the whitespace around them.
struct TRdfTopic {
    std::string Path;  // r:id
    std::string CatId;
    std::string Title;  // d:Title
    bool HasCatId = false;
    std::vector<TRdfLink> Links;  // symbolic, symbolic1, symbolic2...
    std::size_t Line = 0;
};

// Reads a structure dump as a stream, one Topic element after the other, so that no part of
// the document is kept beyond the topic at hand. Elements and attributes are matched by their
// local names, whatever their prefix; narrow elements and everything else are passed over, as
// a topic's place follows from its path. Broken XML raises ETreeInputError with the line.
class TRdfTopicParser {
public:
    using TTopicHandler = std::function<void(const TRdfTopic&)>;

    TRdfTopicParser(std::string fileName, TTopicHandler onTopic, const TStopRequest* stop = nullptr);
    // Reads the whole file; errors of the handler leave through here.
    void Parse();

private:
    std::string FileName;
    TTopicHandler OnTopic;
    const TStopRequest* Stop;
};
