// Stands in for kelm-jetread where a test needs a reader that misbehaves as
// a damaged file can make the real one do. KELM_STANDIN says how:
//   hang     the stream's header, then nothing, for ever
//   crash    the header and the file's description, then a crash
//   garbage  bytes that are no stream
//   cut      part of a stream, then a normal exit
//   exit     a whole stream, then exit code 1
//   slow     a whole stream, the reader silent for KELM_STANDIN_PAUSE_MS at
//            a time, keeping alive, four times over
// KELM_STANDIN_PIDFILE, if set, receives the process id first.
#include "import/jetstream.h"

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <unistd.h>

using namespace kelm::jet;

namespace {

std::string out;

void put(const void *data, std::size_t size) { out.append(static_cast<const char *>(data), size); }
template <typename Number>
void number(Number value)
{
    put(&value, sizeof value);
}
void string(const std::string &text)
{
    number(std::uint16_t(text.size()));
    put(text.data(), text.size());
}
void record(stream::Record kind, const std::string &payload)
{
    number(std::uint8_t(kind));
    number(std::uint32_t(payload.size()));
    put(payload.data(), payload.size());
}
// payload() builds a record's payload in out, then hands it back.
template <typename Build>
std::string payload(Build build)
{
    std::string saved;
    saved.swap(out);
    build();
    saved.swap(out);
    return saved;
}
void send()
{
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t n = write(STDOUT_FILENO, out.data() + done, out.size() - done);
        if (n <= 0)
            std::exit(3);
        done += std::size_t(n);
    }
    out.clear();
}

void header()
{
    put(stream::magic, sizeof stream::magic);
    number(stream::version);
}
void description()
{
    record(stream::Record::Info, payload([] {
               number(std::uint8_t(4));
               number(std::uint16_t(0));
               string("");
           }));
    record(stream::Record::Tables, payload([] {
               number(std::uint32_t(1));
               string("t");
               number(std::uint32_t(1));
               number(std::uint16_t(1));
               string("c");
               number(std::uint8_t(stream::JetType::Text));
           }));
}
void table()
{
    record(stream::Record::BeginTable, payload([] { number(std::uint32_t(0)); }));
    record(stream::Record::Row, payload([] {
               number(std::uint8_t(stream::Tag::Text));
               number(std::uint32_t(1));
               number(char16_t(u'x'));
           }));
}
void ending()
{
    record(stream::Record::EndTable, payload([] {
               number(std::uint32_t(0));
               number(std::uint32_t(1));
           }));
    record(stream::Record::End, {});
}

} // namespace

int main()
{
    const char *how = std::getenv("KELM_STANDIN");
    const std::string mode = how ? how : "";
    if (const char *pidFile = std::getenv("KELM_STANDIN_PIDFILE")) {
        if (FILE *f = std::fopen(pidFile, "w")) {
            std::fprintf(f, "%d\n", int(getpid()));
            std::fclose(f);
        }
    }
    if (mode == "garbage") {
        std::uint32_t state = 12345;
        for (int i = 0; i < 65536; ++i) {
            state = state * 1103515245 + 12345;
            out.push_back(char(state >> 24));
        }
        send();
        return 0;
    }
    header();
    if (mode == "hang") {
        send();
        for (;;)
            pause();
    }
    description();
    if (mode == "crash") {
        send();
        std::raise(SIGSEGV);
    }
    table();
    if (mode == "cut") {
        send();
        return 0;
    }
    if (mode == "slow") {
        const char *pause = std::getenv("KELM_STANDIN_PAUSE_MS");
        const auto quiet = std::chrono::milliseconds(pause ? std::atoi(pause) : 100);
        send();
        for (int i = 0; i < 4; ++i) {
            std::this_thread::sleep_for(quiet);
            record(stream::Record::Alive, {});
            send();
        }
    }
    ending();
    send();
    return mode == "exit" ? 1 : 0;
}
