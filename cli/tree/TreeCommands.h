#pragma once

#include "common/core/StopRequest.h"

#include <cstddef>
#include <iosfwd>
#include <string>

// What the commands of tessaroo-tree need from its command line.
struct TTreeCommandLine {
    std::string Input;
    std::string Output;
    std::string Separator = "/";
    std::string Root;
    bool ListAll = false;
};

// The commands; each raises the error that ends it, which decides the exit code. Notes about
// entries go to `notes` as they come.
void ImportOutline(const TTreeCommandLine& line, const TStopRequest& stop, std::ostream& out);
void ImportPathList(const TTreeCommandLine& line, const TStopRequest& stop, std::ostream& out);
void ImportRdfDump(const TTreeCommandLine& line, const TStopRequest& stop, std::ostream& out, std::ostream& notes);
void ExportOutline(const TTreeCommandLine& line, std::ostream& out, std::ostream& notes);
void PrintStats(const TTreeCommandLine& line, std::ostream& out);
