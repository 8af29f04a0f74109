#include "http/HttpAnswer.h"

#include "os/AtomicFile.h"

#include <cstdio>
#include <cstring>
#include <sstream>

namespace {

const char headEnd[] = "\r\n\r\n";
constexpr std::size_t headEndLength = 4;

HttpPiece receive(HttpAnswerSource& source, char* buffer, std::size_t& received)
{
    std::memset(buffer, 0, httpChunkSize);
    received = 0;
    const HttpPiece piece = source.next(buffer, httpChunkSize, received);
    if (piece != HttpPiece::Data)
        return piece;
    if (received == 0)
        return HttpPiece::End;
    if (received > httpChunkSize)
        received = httpChunkSize;
    return HttpPiece::Data;
}

enum class Head {
    Complete, // head holds the text before the separator, rest the body bytes that came with it
    Ended,    // the answer ended before a separator: head holds all that came
    Failed,   // stalled, or the head grew past its cap
};

Head readHead(HttpAnswerSource& source, std::size_t cap, std::string& head, std::string& rest)
{
    std::string text;
    char buffer[httpChunkSize];
    for (;;) {
        std::size_t received = 0;
        const HttpPiece piece = receive(source, buffer, received);
        if (piece == HttpPiece::Stalled)
            return Head::Failed;
        if (piece == HttpPiece::End) {
            head = std::move(text);
            return Head::Ended;
        }
        // The separator may straddle two pieces.
        const std::size_t searchFrom = text.size() < headEndLength ? 0 : text.size() - (headEndLength - 1);
        text.append(buffer, received);
        const std::string::size_type separator = text.find(headEnd, searchFrom);
        if (separator == std::string::npos) {
            if (text.size() > cap)
                return Head::Failed;
            continue;
        }
        if (separator + headEndLength > cap)
            return Head::Failed;
        rest = text.substr(separator + headEndLength);
        text.resize(separator);
        head = std::move(text);
        return Head::Complete;
    }
}

// Hands the body to take piece by piece, starting with the bytes that came with the head.
// False when the answer stalled or would grow past cap; nothing past the cap is handed on.
template <typename Take>
bool readBody(HttpAnswerSource& source, std::size_t cap, const std::string& first, Take take)
{
    std::size_t total = 0;
    auto add = [&](const char* data, std::size_t count) {
        if (count > cap - total)
            return false;
        total += count;
        take(data, count);
        return true;
    };
    if (!add(first.data(), first.size()))
        return false;
    char buffer[httpChunkSize];
    for (;;) {
        std::size_t received = 0;
        switch (receive(source, buffer, received)) {
        case HttpPiece::Data:
            if (!add(buffer, received))
                return false;
            break;
        case HttpPiece::End:
            return true;
        case HttpPiece::Stalled:
            return false;
        }
    }
}

} // namespace

int httpStatusCode(const std::string& head)
{
    std::istringstream in(head);
    std::string protocol;
    int code = 0;
    if (in >> protocol)
        in >> code;
    return code;
}

bool readHttpAnswerToMemory(HttpAnswerSource& source, const HttpOptions& options, int& responseCode,
                            std::string& body)
{
    std::string head, rest;
    const Head result = readHead(source, options.headCap, head, rest);
    if (result == Head::Failed || (result == Head::Ended && head.empty()))
        return false;
    responseCode = httpStatusCode(head);
    if (responseCode != 200)
        return false;
    std::string received;
    if (result == Head::Complete
        && !readBody(source, options.bodyCap, rest, [&](const char* data, std::size_t count) { received.append(data, count); }))
        return false;
    body = std::move(received);
    return true;
}

bool readHttpAnswerToFile(HttpAnswerSource& source, const HttpOptions& options, int& responseCode,
                          const std::string& filePath)
{
    responseCode = 0;
    std::string head, rest;
    if (readHead(source, options.headCap, head, rest) != Head::Complete)
        return false; // nothing is written
    responseCode = httpStatusCode(head);
    if (responseCode != 200)
        return false;

    os::AtomicFile file(filePath, os::AtomicFile::Sync::Cache);
    const bool whole = readBody(source, options.bodyCap, rest, [&](const char* data, std::size_t count) {
        file.write(data, count);
    });
    if (whole)
        file.commit();
    // A file that could not be written is not told apart: the status decides.
    return whole;
}
