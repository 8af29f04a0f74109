#include "app/Options.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

Options parse(std::vector<const char*> args, ServerHosts& hosts)
{
    args.insert(args.begin(), "holmikziviza");
    return parseOptions(static_cast<int>(args.size()), const_cast<char**>(args.data()), hosts);
}

TEST(Options, HostsWithAndWithoutPorts)
{
    ServerHosts hosts{"cs.default", 27015, "css.default", 27015, "www.default", "maps.default"};
    Options o = parse({"--server", "10.0.0.5:27016", "--source-server", "old.example", "--update-host",
                       "127.0.0.1:8080", "--map-host", "img.example", "--demo"},
                      hosts);
    EXPECT_TRUE(o.error.empty()) << o.error;
    EXPECT_TRUE(o.demo);
    EXPECT_EQ(hosts.csgoHost, "10.0.0.5");
    EXPECT_EQ(hosts.csgoPort, 27016);
    EXPECT_EQ(hosts.cssHost, "old.example");
    EXPECT_EQ(hosts.cssPort, 27015);
    EXPECT_EQ(hosts.updateHost, "127.0.0.1:8080") << "the web client reads the port from the host text";
    EXPECT_EQ(hosts.mapHost, "img.example");
}

TEST(Options, BadCommandLinesSayWhy)
{
    ServerHosts hosts;
    EXPECT_NE(parse({"--server"}, hosts).error, "");
    EXPECT_NE(parse({"--server", "host:0"}, hosts).error, "");
    EXPECT_NE(parse({"--server", "host:70000"}, hosts).error, "");
    EXPECT_NE(parse({"--server", ":27015"}, hosts).error, "");
    EXPECT_NE(parse({"--map-host", "x:abc"}, hosts).error, "");
    EXPECT_NE(parse({"--frobnicate"}, hosts).error, "");
    EXPECT_TRUE(parse({"--help"}, hosts).help);
    EXPECT_TRUE(parse({"--version"}, hosts).version);
}

} // namespace
