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

// A kept copy under the build folder, made on first use and synced to the
// disk, so that no timed commit pays for writing the fixture out.
QString cached(const Size &size);

// Writes what the system still holds of the file to the disk.
void syncFile(const QString &path);

} // namespace kelm::fixture
