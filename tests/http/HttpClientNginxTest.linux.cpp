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

TEST_F(HttpClientNginx, MemoryGetsTheBodyAndTheHostHeaderCarriesThePort)
{
    HttpClient client(web.host());
    EXPECT_EQ(client.getResponseCode(), 0);
    std::string body = "old";
    ASSERT_TRUE(client.getToMemory(versionPath, body));
    EXPECT_EQ(body, "4 7 1:http://www.example.net/download\n");
    EXPECT_EQ(client.getResponseCode(), 200);
    ASSERT_EQ(web.requests().size(), 1u);
    EXPECT_EQ(web.requests()[0], std::string("GET ") + versionPath + " 200 " + web.host());
}

TEST_F(HttpClientNginx, BinaryBodiesOverManyChunksArriveWhole)
{
    HttpClient client(web.host());
    std::string body;
    ASSERT_TRUE(client.getToMemory(mapPath, body));
    EXPECT_EQ(body, picture);

    ASSERT_TRUE(client.getToFile(mapPath, out.file("de_dust2.jpg")));
    EXPECT_EQ(client.getResponseCode(), 200);
    EXPECT_EQ(readFile(out.file("de_dust2.jpg")), picture);
}

TEST_F(HttpClientNginx, AFileIsReplacedByTheNewBody)
{
    out.write("de_dust2.jpg", std::string(100000, 'x'));
    ASSERT_TRUE(HttpClient(web.host()).getToFile(mapPath, out.file("de_dust2.jpg")));
    EXPECT_EQ(readFile(out.file("de_dust2.jpg")), picture);
}

TEST_F(HttpClientNginx, EmptyBodyWithStatus200)
{
    HttpClient client(web.host());
    std::string body = "old";
    EXPECT_TRUE(client.getToMemory("/empty.txt", body));
    EXPECT_EQ(body, "");
    out.write("empty.txt", "old contents");
    EXPECT_TRUE(client.getToFile("/empty.txt", out.file("empty.txt")));
    EXPECT_TRUE(exists("empty.txt"));
    EXPECT_EQ(readFile(out.file("empty.txt")), "");
}

TEST_F(HttpClientNginx, MissingResourceIs404AndWritesNothing)
{
    HttpClient client(web.host());
    std::string body = "untouched";
    EXPECT_FALSE(client.getToMemory("/images/maps/160x120/csgo/de_nowhere.jpg", body));
    EXPECT_EQ(client.getResponseCode(), 404);
    EXPECT_EQ(body, "untouched");

    EXPECT_FALSE(client.getToFile("/images/maps/160x120/csgo/de_nowhere.jpg", out.file("de_nowhere.jpg")));
    EXPECT_EQ(client.getResponseCode(), 404);
    EXPECT_FALSE(exists("de_nowhere.jpg"));

    out.write("kept.jpg", "the old picture");
    EXPECT_FALSE(client.getToFile("/images/maps/160x120/csgo/de_nowhere.jpg", out.file("kept.jpg")));
    EXPECT_EQ(readFile(out.file("kept.jpg")), "the old picture");
}

TEST_F(HttpClientNginx, ResourceRemovedWhileServing)
{
    HttpClient client(web.host());
    std::string body;
    ASSERT_TRUE(client.getToMemory(versionPath, body));
    web.remove(versionPath);
    EXPECT_FALSE(client.getToMemory(versionPath, body));
    EXPECT_EQ(client.getResponseCode(), 404);
}

TEST_F(HttpClientNginx, HostNameIsLookedUp)
{
    HttpClient client("localhost:" + std::to_string(web.port()));
    std::string body;
    ASSERT_TRUE(client.getToMemory(versionPath, body));
    EXPECT_EQ(body, "4 7 1:http://www.example.net/download\n");
    ASSERT_EQ(web.requests().size(), 1u);
    EXPECT_EQ(web.requests()[0], std::string("GET ") + versionPath + " 200 localhost:" + std::to_string(web.port()));
}

TEST_F(HttpClientNginx, StoppedServerIsRefused)
{
    const std::string host = web.host();
    web.stop();
    HttpClient client(host);
    std::string body = "untouched";
    EXPECT_FALSE(client.getToMemory(versionPath, body));
    EXPECT_FALSE(client.getToFile(mapPath, out.file("de_dust2.jpg")));
    EXPECT_EQ(client.getResponseCode(), 0);
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
