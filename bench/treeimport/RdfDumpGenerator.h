#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Writes an open directory's RDF structure dump of `topics` topics below Top, shaped like a
// real one: about 15 top-level topics, 5 to 30 subtopics each, at most 8 levels, topics in
// breadth-first order with their narrow entries, a description and a date, titles with "&",
// "<" and letters beyond ASCII, and a symbolic entry in about one topic of ten, pointing to
// an earlier topic. With `compressed`, the file is gzip-compressed. The same arguments always
// give the same bytes.
void WriteGeneratedRdfDump(std::size_t topics, const std::string& fileName, bool compressed = false,
                           std::uint32_t seed = 1);
