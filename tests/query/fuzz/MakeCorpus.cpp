// Writes the fuzz target's seed corpus: the captured replies of real servers and the test
// server's replies in each layout. Run: query_fuzz_corpus OUTPUT_FOLDER.
#include "../Captures.h"
#include "query/TestServer.h"

#include <fstream>
#include <iostream>

namespace {

// Each datagram as a 2-byte little-endian length and its bytes.
void write(const std::string& path, const std::vector<std::string>& datagrams)
{
    std::ofstream out(path, std::ios::binary);
    for (const std::string& d : datagrams)
        out << static_cast<char>(d.size() & 0xFF) << static_cast<char>(d.size() >> 8 & 0xFF) << d;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: query_fuzz_corpus OUTPUT_FOLDER\n";
        return 2;
    }
    const std::string out = argv[1];
    for (const char* name : {"info_csgo", "info_tf2", "info_gmod_cyrillic", "info_theship", "info_hltv",
                             "info_svencoop_nonsteam", "players_csgo", "rules_tf2_sourcemod"})
        write(out + "/capture_" + name, captures::datagrams(name));

    TestServer server;
    server.loadDemoContent();
    server.setPlayers(captures::players(30));
    server.setRules({Rule("sv_gravity", "800"), Rule("mp_timelimit", "35"), Rule("sv_cheats", "0")});
    server.setSplitSize(200);
    const std::string header = "\xFF\xFF\xFF\xFF", challenge = "\x3C\x2A\x1D\x4B";
    write(out + "/server_challenge", server.answer(header + "V" + header));
    write(out + "/server_info", server.answer(header + "TSource Engine Query" + std::string(1, '\0')));
    for (int n = 0; n < 4; ++n) {
        server.setSplitLayout(n < 2 ? TestServer::SplitLayout::Old : TestServer::SplitLayout::Source);
        server.setCompressed(n % 2);
        write(out + "/server_players_" + std::to_string(n), server.answer(header + "U" + challenge));
        write(out + "/server_rules_" + std::to_string(n), server.answer(header + "V" + challenge));
    }
    return 0;
}
