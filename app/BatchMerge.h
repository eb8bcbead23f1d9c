#pragma once
// oltrane --merge: one filled copy of a template per data row of a CSV file or a
// REINS export, each written as a document or an exported image, rows drawn side by
// side on the processor's cores.
#include <string>
#include <vector>

class CBatchMerge {
public:
    // args: what follows "--merge". The exit status: 0 when every row was written, 1
    // when a row failed or the input was refused before anything was written, 2 for a
    // command line that cannot be understood.
    static int Run(const std::vector<std::string>& args);
};
