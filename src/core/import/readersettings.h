// Where readJetFile() finds the reader program, and how long the reader may
// send nothing before it is taken for hung. Tests point these elsewhere.
#pragma once

#include <QString>

#include <chrono>

namespace kelm::jet {

// kelm-jetread in the program folder, unless set.
QString readerProgram();
// An empty path sets it back.
void setReaderProgram(const QString &path);

// The reader reports at least five times a second while it works, so only a
// single call into the Jet library can keep it quiet, and such a call reads
// a few pages: milliseconds on a local disk, at worst a second or two from
// a slow network folder. The library has looped forever on damaged files;
// ten seconds of silence tells such a loop with a wide margin for a slow
// machine, and the user can stop it sooner.
std::chrono::milliseconds readerSilenceLimit();
void setReaderSilenceLimit(std::chrono::milliseconds limit);

} // namespace kelm::jet
