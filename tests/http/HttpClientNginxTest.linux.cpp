// HttpClient against Debian's nginx on loopback (a stopped server: the map pictures' tests).
#include "http/HttpClient.h"

#include "tests/support/NginxServer.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <random>

namespace {

TEST(HttpClientNginx, WholeBodiesReplaceTheFileAndAMissingOneChangesNothing)
{
    const std::string version = "4 7 1:http://www.example.net/download\n", old(100000, 'x');
    std::string picture(40000, '\0');
    std::mt19937 random(7);
    for (char& c : picture)
        c = static_cast<char>(random());
    testing_support::NginxServer web;
    web.serve("/holmik/HolmikZivizaVersion.txt", version);
    web.serve("/maps/de_dust2.jpg", picture);
    web.serve("/empty.txt", "");
    ASSERT_TRUE(web.start()) << web.errorLog();
    testing_support::TempDir out;
    // A host name is looked up, and goes into the Host header as written.
    const std::string host = "localhost:" + std::to_string(web.port());
    HttpClient client(host);
    const struct { const char* path; std::string body; HttpOptions options; int code; } cases[] = {
        {"/maps/de_nowhere.jpg", "", HttpOptions(), 404},
        {"/holmik/HolmikZivizaVersion.txt", version, HttpOptions::versionFile(), 200},
        {"/maps/de_dust2.jpg", picture, HttpOptions{0}, 200}, // a deadline of 0 sets no limit
        {"/empty.txt", "", HttpOptions(), 200},
    };
    std::vector<std::string> logged;
    for (const auto& c : cases) {
        std::string body = "old";
        out.write("file", old);
        EXPECT_EQ(client.getToMemory(c.path, body, c.options), c.code == 200) << c.path;
        EXPECT_TRUE(body == (c.code == 200 ? c.body : "old")) << c.path;
        EXPECT_EQ(client.getResponseCode(), c.code) << c.path;
        EXPECT_EQ(client.getToFile(c.path, out.file("file"), c.options), c.code == 200) << c.path;
        EXPECT_TRUE(out.read("file") == (c.code == 200 ? c.body : old)) << c.path;
        logged.insert(logged.end(), 2, std::string("GET ") + c.path + " " + std::to_string(c.code) + " " + host);
    }
    EXPECT_EQ(web.requests(), logged);
}

} // namespace
