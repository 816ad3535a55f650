// Why the reader stops: sent to the parent as the stream's Failure record.
#pragma once

#include "import/jetstream.h"

#include <cstdint>
#include <string>

namespace kelm::jetread {

struct ReadError {
    jet::stream::Failure failure = jet::stream::Failure::Damaged;
    std::string note; // for a developer, in the reader's own words
    std::string table;
    std::string column;
    std::uint32_t row = 0;
    int error = 0; // errno, for Unreadable
};

} // namespace kelm::jetread
