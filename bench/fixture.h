// Realistic databases for benchmarks: N cases with every document row,
// permits and examinations. Made once and kept beside the benchmark.
#pragma once

#include <QString>

namespace kelm::fixture {

struct Size {
    int cases = 0;
    int permits = 0;
    int exams = 0;
};

// Writes a prepared database of that size to path (replacing it).
void make(const QString &path, const Size &size);

// A kept copy under the build folder, made on first use.
QString cached(const Size &size);

} // namespace kelm::fixture
