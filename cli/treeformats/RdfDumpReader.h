#pragma once

#include "cli/treeformats/ImportedTree.h"
#include "cli/treeformats/Notes.h"
#include "common/core/StopRequest.h"

#include <string>

// Reads the RDF structure dump of an open directory (plain or gzip-compressed) into a tree:
// each Topic below the root becomes a category with its catid as ID, its d:Title as Name and
// its path (r:id) as Url, under the topic whose path is its own without the last segment.
// The root ("Top", or the topic given) is no category: its children make the top level.
// Each symbolic entry ("Name:Top/Target") becomes a symbolic category under its topic, after
// the topic's subtopics, with the topic's catid as Parent and the target's Url.
//
// What the dump lacks is noted and worked around: a topic whose parent is missing goes under
// its nearest ancestor that exists; a symbolic entry whose target is missing or lies outside
// the root is left out. A topic without catid, a catid or path given twice, or broken XML
// raise ETreeInputError with the line.
TImportedTree ReadRdfDump(const std::string& fileName, const std::string& rootPath, const TNoteSink& note,
                          const TStopRequest* stop = nullptr);

// The root of a dump when none is given.
inline const std::string DefaultRdfRoot = "Top";
