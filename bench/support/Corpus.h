#pragma once

#include <cstddef>
#include <string>

namespace lrl::bench {

// Realistic Object Pascal source of at least minBytes bytes, with CR LF line ends: the Free Pascal
// sources under /usr/share/fpcsrc (Debian's fpc-source) when they are installed, otherwise generated
// units with classes, methods, comments, strings and numbers. The result is cached per process.
const std::string& pascalCorpus(size_t minBytes);

// Where the corpus came from, for the benchmark's label ("fpc-source" or "generated").
const char* pascalCorpusOrigin();

// Generated Object Pascal of about the given size; the same size always gives the same text.
std::string generatedPascal(size_t bytes, unsigned seed = 1);

} // namespace lrl::bench
