#pragma once

// A tree file with the category Arts, the category Music inside it, and the symbolic
// category Sounds under Arts that stands for Music.
extern const char* const ExampleTreeXml;
