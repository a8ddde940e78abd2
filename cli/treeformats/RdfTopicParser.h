#pragma once

#include "common/core/StopRequest.h"

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>

// One symbolic entry of a topic, its resource as it stands ("Name:Top/Target").
struct TRdfLink {
    std::string_view Resource;
    std::size_t Line = 0;
};

// One Topic element of a directory's RDF structure dump, as far as a category tree needs it.
// Texts are UTF-8, without the whitespace around them.
struct TRdfTopic {
    std::string_view Path;  // r:id
    std::string_view CatId;
    std::string_view Title;  // d:Title
    bool HasCatId = false;
    std::span<const TRdfLink> Links;  // symbolic, symbolic1, symbolic2...
    std::size_t Line = 0;
};

// Sees each topic; the topic and its texts are valid during the call only.
using TRdfTopicHandler = std::function<void(const TRdfTopic&)>;

// Reads a structure dump as a stream, one Topic element after the other, so that no part of
// the document is kept beyond a few batches of topics. Elements and attributes are matched
// by their local names, whatever their prefix; narrow elements and everything else are
// passed over, as a topic's place follows from its path.
//
// The file is read and parsed on a thread of its own (and inflated on another when it is
// compressed), a few batches ahead of the handler, which runs on the calling thread and sees
// the topics in the order of the dump. Broken XML raises ETreeInputError with the line, after
// the handler saw every topic before it; an error of the handler, or a stop, leaves through
// here and ends the threads.
void ParseRdfTopics(const std::string& fileName, const TRdfTopicHandler& onTopic, const TStopRequest* stop = nullptr);
