// How much one request may take: its whole time and the size of the answer. Past either the
// request fails as it does when the server closes early, so that a web host that trickles,
// or sends without end, can neither hold the caller for good nor fill its memory or disk.
#pragma once

#include <cstddef>
#include <cstdint>

struct HttpOptions {
    // The whole request, from connecting to the last byte, in milliseconds; 0 sets no limit
    // beyond the client's wait for each receive.
    std::uint32_t deadlineMs = 30000;
    // The bytes after the head.
    std::size_t bodyCap = std::size_t{1} << 20;
    // The status line and the header lines, with the blank line that ends them.
    std::size_t headCap = std::size_t{16} << 10;

    // The update check's version file: a line of text, asked for while the start-up waits.
    static constexpr HttpOptions versionFile() { return {15000, std::size_t{64} << 10}; }
    // One picture of the map overview.
    static constexpr HttpOptions mapPicture() { return {30000, std::size_t{1} << 20}; }
};
