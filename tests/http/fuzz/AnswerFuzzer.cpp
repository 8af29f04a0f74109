// libFuzzer target over the reading of a web server's answer: status line, head and body,
// into memory and into a file, each checked against what the whole answer says it must give.
//
// Input: a flags byte, two bytes that set the sizes of the pieces the answer arrives in,
// then the answer. Flags: bit 3 ends the answer with a stall instead of a close; bits 4-5
// pick the caps (the picture's, or small ones the input can reach).
#include "http/HttpAnswer.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace {

class BytesSource : public HttpAnswerSource {
public:
    BytesSource(const std::string& answer, std::uint8_t a, std::uint8_t b, bool stall)
        : answer(answer), a(a), b(b), stall(stall)
    {
    }

    HttpPiece next(char* buffer, std::size_t capacity, std::size_t& received) override
    {
        if (ended)
            std::abort(); // nothing is asked for after the end
        if (at == answer.size()) {
            ended = true;
            return stall ? HttpPiece::Stalled : HttpPiece::End;
        }
        const std::size_t size = 1 + (a * count++ + b) % capacity;
        received = std::min(size, answer.size() - at);
        answer.copy(buffer, received, at);
        at += received;
        return HttpPiece::Data;
    }

private:
    const std::string& answer;
    std::size_t a, b;
    bool stall;
    std::size_t at = 0;
    std::size_t count = 0;
    bool ended = false;
};

HttpOptions capsFor(int choice)
{
    switch (choice) {
    case 0:
        return HttpOptions::mapPicture();
    case 1:
        return {0, 64, 32};
    case 2:
        return {0, 0, 1};
    default:
        return {0, 1000, 200};
    }
}

void check(bool condition)
{
    if (!condition)
        std::abort();
}

// A folder of its own for the file, removed when the fuzzer ends.
struct Folder {
    Folder()
        : path(std::filesystem::temp_directory_path() / ("holmik-http-fuzz-" + std::to_string(std::random_device()())))
    {
        std::filesystem::create_directories(path);
    }
    ~Folder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path path;
};

const std::filesystem::path& folder()
{
    static const Folder made;
    return made.path;
}

std::string contents(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    const bool stall = (data[0] & 0x08) != 0;
    const HttpOptions options = capsFor((data[0] >> 4) & 3);
    const std::string answer(reinterpret_cast<const char*>(data) + 3, size - 3);

    // What the whole answer says: the head ends at the first blank line and may not pass
    // its cap, nor the body its; a stall fails the call wherever it comes.
    const std::string::size_type separator = answer.find("\r\n\r\n");
    const bool complete = separator != std::string::npos;
    const std::size_t headSize = complete ? separator + 4 : answer.size();
    const bool headFits = headSize <= options.headCap;
    const int status = headFits ? httpStatusCode(answer.substr(0, complete ? separator : answer.size())) : 0;
    const std::string expectedBody = complete ? answer.substr(separator + 4) : std::string();
    const bool bodyFits = expectedBody.size() <= options.bodyCap;
    const bool memoryOk = !stall && headFits && !answer.empty() && status == 200 && bodyFits;
    const bool fileOk = memoryOk && complete;

    BytesSource memorySource(answer, data[1], data[2], stall);
    int memoryCode = -1;
    std::string body = "untouched";
    check(readHttpAnswerToMemory(memorySource, options, memoryCode, body) == memoryOk);
    check(body == (memoryOk ? expectedBody : "untouched"));
    // The status is known once a whole head came, or all of a head without its blank line.
    const bool memoryHeadRead = headFits && !answer.empty() && (complete || !stall);
    check(memoryCode == (memoryHeadRead ? status : -1));

    const std::filesystem::path file = folder() / "picture.jpg";
    BytesSource fileSource(answer, data[1], data[2], stall);
    int fileCode = -1;
    check(readHttpAnswerToFile(fileSource, options, fileCode, file.string()) == fileOk);
    check(fileCode == (complete && headFits ? status : 0));
    if (fileOk) {
        check(contents(file) == expectedBody);
        std::filesystem::remove(file);
    }
    check(std::filesystem::is_empty(folder())); // nothing left, whole or in part
    return 0;
}
