#include "app/VersionInfo.h"

#include "http/HttpClient.h"

#include <cctype>
#include <climits>

namespace {

bool isBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// Reads one signed decimal integer at `at`, after any white space. False (and `at` left
// where the number should have been) when there is none or it does not fit.
bool readInteger(const std::string& text, std::string::size_type& at, int& value)
{
    while (at < text.size() && isBlank(text[at]))
        ++at;
    std::string::size_type i = at;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i])))
        return false;
    long long number = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        number = number * 10 + (text[i] - '0');
        if (number > static_cast<long long>(INT_MAX) + 1)
            return false;
    }
    if (negative)
        number = -number;
    if (number > INT_MAX || number < INT_MIN)
        return false;
    value = static_cast<int>(number);
    at = i;
    return true;
}

} // namespace

bool VersionInfo::fetch(const std::string& host, const std::string& path)
{
    HttpClient client(host);
    client.setTimeout(timeoutMs);
    std::string body;
    if (!client.getToMemory(path, body, HttpOptions::versionFile()))
        return false;
    read(body);
    return true;
}

void VersionInfo::read(const std::string& body)
{
    const std::string::size_type colon = body.find(':');
    const std::string numbers = colon == std::string::npos ? body : body.substr(0, colon);
    major = minor = patch = 0;
    std::string::size_type at = 0;
    for (int* field : {&major, &minor, &patch})
        if (!readInteger(numbers, at, *field))
            break;
    downloadAddress = colon == std::string::npos ? body : body.substr(colon + 1);
}

bool VersionInfo::isNewerThan(int otherMajor, int otherMinor, int otherPatch) const
{
    if (major != otherMajor)
        return major > otherMajor;
    if (minor != otherMinor)
        return minor > otherMinor;
    return patch > otherPatch;
}
