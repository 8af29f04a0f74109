#include "app/Options.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

Options parse(std::vector<const char*> args, ServerHosts& hosts)
{
    args.insert(args.begin(), "holmikziviza");
    return parseOptions(static_cast<int>(args.size()), const_cast<char**>(args.data()), hosts);
}

TEST(Options, HostsWithAndWithoutPortsAndBadCommandLinesSayWhy)
{
    ServerHosts hosts{"cs.default", 27015, "css.default", 27015, "www.default", "maps.default"};
    const Options o = parse({"--server", "10.0.0.5:27016", "--source-server", "old.example", "--update-host",
                             "127.0.0.1:8080", "--map-host", "img.example", "--demo"},
                            hosts);
    EXPECT_EQ(o.error, "");
    EXPECT_TRUE(o.demo);
    EXPECT_EQ(std::tie(hosts.csgoHost, hosts.csgoPort, hosts.cssHost, hosts.cssPort),
              std::make_tuple("10.0.0.5", 27016, "old.example", 27015));
    EXPECT_EQ(hosts.updateHost, "127.0.0.1:8080") << "the web client reads the port from the host text";
    EXPECT_EQ(hosts.mapHost, "img.example");
    for (const std::vector<const char*>& bad : std::vector<std::vector<const char*>>{
             {"--server"}, {"--server", "host:0"}, {"--server", "host:70000"}, {"--server", ":27015"},
             {"--map-host", "x:abc"}, {"--frobnicate"}})
        EXPECT_NE(parse(bad, hosts).error, "") << bad.back();
}

} // namespace
