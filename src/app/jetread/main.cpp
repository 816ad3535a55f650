// kelm-jetread FILE: reads the Jet file and writes it to standard output as
// the stream of import/jetstream.h, for readJetFile(). The only program
// that links the Jet library: the library is not safe on a damaged file, so
// it runs here, where a crash or a hang ends this process and nothing else.
#include "filereader.h"
#include "streamwriter.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace kelm;

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fputs("usage: kelm-jetread FILE\n", stderr);
        return 2;
    }
    // The library prints warnings, and with MDBOPTS its debugging, to
    // standard output: the stream gets a descriptor of its own.
    unsetenv("MDBOPTS");
    const int out = fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    const int nowhere = open("/dev/null", O_WRONLY);
    if (out < 0 || nowhere < 0 || dup2(nowhere, STDOUT_FILENO) < 0)
        return 3;
    // A damaged file can make the library ask for any amount of memory: the
    // reader then dies rather than the machine swapping.
    const rlimit memory{rlim_t(2) << 30, rlim_t(2) << 30};
    setrlimit(RLIMIT_AS, &memory);

    jetread::StreamWriter writer(out);
    writer.header();
    try {
        jetread::FileReader reader(argv[1], writer);
        reader.run();
    } catch (const jetread::ReadError &error) {
        writer.discard();
        writer.begin(jet::stream::Record::Failure);
        writer.u8(static_cast<std::uint8_t>(error.failure));
        writer.i32(error.error);
        writer.string(error.table);
        writer.string(error.column);
        writer.u32(error.row);
        writer.string(error.note);
        writer.end();
    }
    writer.flush();
    return 0;
}
