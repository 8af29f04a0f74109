// The newest released version as the update host names it, and where to download it.
//
// The version file's body: three decimal integers (major, minor, patch) separated by
// white space, a colon, then the download address up to the end of the body, used as it
// stands (a line break at its end included).
#pragma once

#include "http/HttpClient.h"

#include <cstdint>
#include <string>

class VersionInfo {
public:
    // Where the update host keeps the version file.
    static constexpr const char* versionFilePath = "/holmik/HolmikZivizaVersion.txt";

    VersionInfo() = default;
    virtual ~VersionInfo() = default;

    // True when the file was fetched with status 200, whatever it holds.
    virtual bool fetch(const std::string& host, const std::string& path);
    // Reads a version file's body: the numbers before the first colon (a number that
    // cannot be read, and every number after it, stays 0) and the address after it
    // (all of the body when there is no colon).
    void read(const std::string& body);

    // True when the fetched version is strictly greater, compared field by field.
    virtual bool isNewerThan(int major, int minor, int patch) const;

    int getMajor() const { return major; }
    int getMinor() const { return minor; }
    int getPatch() const { return patch; }
    const std::string& getDownloadAddress() const { return downloadAddress; }

    // Connect and receive time-out of the fetch, in milliseconds; the whole fetch and the
    // file's size are bounded by HttpOptions::versionFile().
    void setTimeout(std::uint32_t milliseconds) { timeoutMs = milliseconds; }

private:
    int major = 0;
    int minor = 0;
    int patch = 0;
    std::string downloadAddress;
    std::uint32_t timeoutMs = HttpClient::defaultTimeoutMs;
};
