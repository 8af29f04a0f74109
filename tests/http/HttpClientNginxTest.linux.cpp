// HttpClient against Debian's nginx on loopback.
#include "http/HttpClient.h"

#include "tests/support/NginxServer.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace {

using testing_support::readFile;

const char versionPath[] = "/holmik/HolmikZivizaVersion.txt";
const char mapPath[] = "/images/maps/160x120/csgo/de_dust2.jpg";

std::string randomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(generator() & 0xFF);
    return bytes;
}

class HttpClientNginx : public ::testing::Test {
protected:
    void SetUp() override
    {
        web.serve(versionPath, "4 7 1:http://www.example.net/download\n");
        web.serve(mapPath, picture);
        web.serve("/empty.txt", "");
        ASSERT_TRUE(web.start()) << web.errorLog();
    }
    bool exists(const std::string& name) const { return std::filesystem::exists(out.file(name)); }

    testing_support::NginxServer web;
    testing_support::TempDir out;
    const std::string picture = randomBytes(40000, 7);
};

TEST_F(HttpClientNginx, BodiesArriveWholeInMemoryAndReplaceTheFile)
{
    const std::string version = "4 7 1:http://www.example.net/download\n";
    HttpClient client(web.host());
    EXPECT_EQ(client.getResponseCode(), 0);
    for (const auto& [path, expected] : {std::pair{versionPath, version}, {mapPath, picture}, {"/empty.txt", ""}}) {
        std::string body = "old";
        ASSERT_TRUE(client.getToMemory(path, body)) << path;
        EXPECT_EQ(body, expected) << path;
        EXPECT_EQ(client.getResponseCode(), 200);
        out.write("file", std::string(100000, 'x'));
        ASSERT_TRUE(client.getToFile(path, out.file("file"))) << path;
        EXPECT_EQ(readFile(out.file("file")), expected) << path;
    }
    EXPECT_EQ(web.requests()[0], std::string("GET ") + versionPath + " 200 " + web.host()) << "the port in Host";

    // A host name is looked up, and goes into the Host header as written; a deadline of 0
    // sets no limit.
    std::string body;
    const std::string named = "localhost:" + std::to_string(web.port());
    ASSERT_TRUE(HttpClient(named).getToMemory(versionPath, body, HttpOptions{0}));
    EXPECT_EQ(body, version);
    EXPECT_EQ(web.requests().back(), std::string("GET ") + versionPath + " 200 " + named);
}

TEST_F(HttpClientNginx, AMissingResourceOrAStoppedServerWritesNothing)
{
    const char missing[] = "/images/maps/160x120/csgo/de_nowhere.jpg";
    HttpClient client(web.host());
    std::string body = "untouched";
    EXPECT_FALSE(client.getToMemory(missing, body));
    EXPECT_EQ(client.getResponseCode(), 404);
    EXPECT_EQ(body, "untouched");
    EXPECT_FALSE(client.getToFile(missing, out.file("de_nowhere.jpg")));
    EXPECT_FALSE(exists("de_nowhere.jpg"));
    out.write("kept.jpg", "the old picture");
    EXPECT_FALSE(client.getToFile(missing, out.file("kept.jpg")));
    EXPECT_EQ(readFile(out.file("kept.jpg")), "the old picture");

    // Removed while the server runs.
    ASSERT_TRUE(client.getToMemory(versionPath, body));
    web.remove(versionPath);
    EXPECT_FALSE(client.getToMemory(versionPath, body));
    EXPECT_EQ(client.getResponseCode(), 404);

    web.stop();
    body = "untouched";
    HttpClient refused(web.host());
    EXPECT_FALSE(refused.getToMemory(mapPath, body));
    EXPECT_FALSE(refused.getToFile(mapPath, out.file("de_dust2.jpg")));
    EXPECT_EQ(refused.getResponseCode(), 0);
    EXPECT_EQ(body, "untouched");
    EXPECT_FALSE(exists("de_dust2.jpg"));
}

TEST(HttpClientHost, UnknownHostsAndBadPortsFailWithoutAnswer)
{
    testing_support::TempDir out;
    for (const std::string host : {"no-such-host.invalid", "", "127.0.0.1:", "127.0.0.1:0", "127.0.0.1:65536",
                                   "127.0.0.1:80x", "127.0.0.1:-1"}) {
        HttpClient client(host);
        std::string body = "untouched";
        EXPECT_FALSE(client.getToMemory("/", body)) << host;
        EXPECT_FALSE(client.getToFile("/", out.file("f"))) << host;
        EXPECT_EQ(client.getResponseCode(), 0) << host;
        EXPECT_EQ(body, "untouched") << host;
    }
    EXPECT_FALSE(std::filesystem::exists(out.file("f")));
}

} // namespace
