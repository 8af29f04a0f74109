// Reading a web server's answer as it arrives: the head up to the first "\r\n\r\n" (its
// first word is the protocol, the number after it the status code; header lines are not
// interpreted), then the body up to the end of the answer. The pieces come from a source
// (the connection, or bytes held in memory), so that reading never depends on a socket.
#pragma once

#include "http/HttpOptions.h"

#include <cstddef>
#include <string>

// Pieces are asked for in chunks of this size, into a buffer cleared before each one.
inline constexpr std::size_t httpChunkSize = 512;

enum class HttpPiece {
    Data,    // received > 0 bytes arrived
    End,     // the server closed the connection (a receive error counts as that)
    Stalled, // a wait, or the whole request's time, ran out
};

class HttpAnswerSource {
public:
    virtual ~HttpAnswerSource() = default;
    // Up to capacity bytes into buffer.
    virtual HttpPiece next(char* buffer, std::size_t capacity, std::size_t& received) = 0;
};

// The number after the head's first word; 0 when there is none.
int httpStatusCode(const std::string& head);

// Keeps the answer in memory. True for status 200, with body set (untouched otherwise).
// Without a "\r\n\r\n" all that came is the head and the body is empty; nothing at all is
// false. responseCode gets the status as soon as the head is known.
bool readHttpAnswerToMemory(HttpAnswerSource& source, const HttpOptions& options, int& responseCode,
                            std::string& body);

// Writes the body of a status 200 answer to filePath. The bytes go to a file beside it that
// takes its place only when the answer ended well, so a stalled, oversized or unwritable
// answer never leaves a cut-off file. responseCode is 0 until a whole head has come. True
// when the status was 200 and the body came whole within its cap, whether or not the file
// could be written.
bool readHttpAnswerToFile(HttpAnswerSource& source, const HttpOptions& options, int& responseCode,
                          const std::string& filePath);
