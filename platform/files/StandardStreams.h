#pragma once

#include <cstddef>

namespace markroll {

// Which of the standard streams the program was started without.
struct ClosedStandardStreams {
    bool input = false;
    bool output = false;
    bool error = false;
};

// Opens each standard stream the program was started without on the null
// device. Called first thing: otherwise the first file opened would take that
// stream's number, and what is written to the stream would land in the file
// (a message at the head of the page, say).
ClosedStandardStreams openClosedStandardStreams() noexcept;

// Writes straight to descriptor 2, past the C library's buffers and without
// allocating: for where even the C++ runtime has given up.
void writeToStandardError(const char* bytes, std::size_t size) noexcept;

} // namespace markroll
