// libFuzzer target over the reading of a web server's answer: status line, head and body,
// into memory and into a file, each checked against what the whole answer says it must give.
//
// Input: a flags byte, two bytes that set the sizes of the pieces the answer arrives in,
// then the answer. Flags: bit 3 ends the answer with a stall instead of a close; bits 4-5
// pick the caps (the picture's, or small ones the input can reach).
#include "http/HttpAnswer.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace {

class BytesSource : public HttpAnswerSource {
public:
    BytesSource(const std::string& answer, std::uint8_t a, std::uint8_t b, bool stall)
        : answer(answer), a(a), b(b), stall(stall)
    {
    }

    HttpPiece next(char* buffer, std::size_t capacity, std::size_t& received) override
    {
        check(!ended); // nothing is asked for after the end
        if (at == answer.size()) {
            ended = true;
            return stall ? HttpPiece::Stalled : HttpPiece::End;
        }
        received = std::min(1 + (a * count++ + b) % capacity, answer.size() - at);
        answer.copy(buffer, received, at);
        at += received;
        return HttpPiece::Data;
    }

    static void check(bool condition)
    {
        if (!condition)
            std::abort();
    }

private:
    const std::string& answer;
    std::size_t a, b, at = 0, count = 0;
    bool stall, ended = false;
};

// A folder of its own for the file, removed when the fuzzer ends.
struct Folder {
    const std::filesystem::path path = std::filesystem::temp_directory_path()
                                       / ("holmik-http-fuzz-" + std::to_string(std::random_device()()));
    std::error_code ignored;
    Folder() { std::filesystem::create_directories(path); }
    ~Folder() { std::filesystem::remove_all(path, ignored); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const Folder folder;
    const auto check = BytesSource::check;
    if (size < 3)
        return 0;
    const bool stall = (data[0] & 0x08) != 0;
    const HttpOptions caps[] = {HttpOptions::mapPicture(), {0, 64, 32}, {0, 0, 1}, {0, 1000, 200}};
    const HttpOptions options = caps[(data[0] >> 4) & 3];
    const std::string answer(reinterpret_cast<const char*>(data) + 3, size - 3);

    // What the whole answer says: the head ends at the first blank line and may not pass
    // its cap, nor the body its; a stall fails the call wherever it comes.
    const std::string::size_type separator = answer.find("\r\n\r\n");
    const bool complete = separator != std::string::npos;
    const bool headFits = (complete ? separator + 4 : answer.size()) <= options.headCap;
    const int status = headFits ? httpStatusCode(answer.substr(0, complete ? separator : answer.size())) : 0;
    const std::string expectedBody = complete ? answer.substr(separator + 4) : std::string();
    const bool memoryOk
        = !stall && headFits && !answer.empty() && status == 200 && expectedBody.size() <= options.bodyCap;
    const bool fileOk = memoryOk && complete;

    BytesSource memorySource(answer, data[1], data[2], stall);
    int memoryCode = -1;
    std::string body = "untouched";
    check(readHttpAnswerToMemory(memorySource, options, memoryCode, body) == memoryOk);
    check(body == (memoryOk ? expectedBody : "untouched"));
    // The status is known once a whole head came, or all of a head without its blank line.
    check(memoryCode == (headFits && !answer.empty() && (complete || !stall) ? status : -1));

    const std::filesystem::path file = folder.path / "picture.jpg";
    BytesSource fileSource(answer, data[1], data[2], stall);
    int fileCode = -1;
    check(readHttpAnswerToFile(fileSource, options, fileCode, file.string()) == fileOk);
    check(fileCode == (complete && headFits ? status : 0));
    if (fileOk) {
        std::ifstream in(file, std::ios::binary);
        check(std::string(std::istreambuf_iterator<char>(in), {}) == expectedBody);
        std::filesystem::remove(file);
    }
    check(std::filesystem::is_empty(folder.path)); // nothing left, whole or in part
    return 0;
}
