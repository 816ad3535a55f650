#include "import/readersettings.h"

#include "platform/programfiles.h"

namespace kelm::jet {

namespace {
QString g_program;
std::chrono::milliseconds g_silenceLimit{10000};
} // namespace

QString readerProgram() { return g_program.isEmpty() ? programFile(QStringLiteral("kelm-jetread")) : g_program; }

void setReaderProgram(const QString &path) { g_program = path; }

std::chrono::milliseconds readerSilenceLimit() { return g_silenceLimit; }

void setReaderSilenceLimit(std::chrono::milliseconds limit) { g_silenceLimit = limit; }

} // namespace kelm::jet
