// Writes the fuzz target's seed corpus: the captured replies of real servers and the test
// server's replies in each layout. Run: query_fuzz_corpus OUTPUT_FOLDER FIXTURES_FOLDER.
#include "query/TestServer.h"

#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

std::string encode(const std::vector<std::string>& datagrams)
{
    std::string out;
    for (const std::string& d : datagrams) {
        out.push_back(static_cast<char>(d.size() & 0xFF));
        out.push_back(static_cast<char>(d.size() >> 8 & 0xFF));
        out += d;
    }
    return out;
}

std::vector<std::string> capture(const std::string& path)
{
    std::ifstream in(path);
    std::vector<std::string> out;
    std::string line;
    while (std::getline(in, line)) {
        std::string bytes;
        for (std::size_t i = 0; i + 1 < line.size(); i += 2)
            bytes.push_back(static_cast<char>(std::stoi(line.substr(i, 2), nullptr, 16)));
        out.push_back(bytes);
    }
    return out;
}

void write(const std::string& path, const std::string& data)
{
    std::ofstream(path, std::ios::binary) << data;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: query_fuzz_corpus OUTPUT_FOLDER FIXTURES_FOLDER\n";
        return 2;
    }
    const std::string out = argv[1];
    for (const char* name : {"info_csgo", "info_tf2", "info_gmod_cyrillic", "info_theship", "info_hltv",
                             "info_svencoop_nonsteam", "players_csgo", "rules_tf2_sourcemod"})
        write(out + "/capture_" + name, encode(capture(std::string(argv[2]) + "/a2s/" + name + ".hex")));

    TestServer server;
    server.loadDemoContent();
    std::vector<Player> players;
    for (int i = 0; i < 30; ++i)
        players.emplace_back(i, "player " + std::to_string(i), i, 10.0f * i);
    server.setPlayers(players);
    server.setRules({Rule("sv_gravity", "800"), Rule("mp_timelimit", "35"), Rule("sv_cheats", "0")});
    server.setSplitSize(200);
    const std::string challenge("\xFF\xFF\xFF\xFF\x56\xFF\xFF\xFF\xFF", 9);
    const std::string info = std::string("\xFF\xFF\xFF\xFFTSource Engine Query", 24) + '\0';
    const std::string players_("\xFF\xFF\xFF\xFF\x55\x3C\x2A\x1D\x4B", 9);
    const std::string rules("\xFF\xFF\xFF\xFF\x56\x3C\x2A\x1D\x4B", 9);
    write(out + "/server_challenge", encode(server.answer(challenge)));
    write(out + "/server_info", encode(server.answer(info)));
    int n = 0;
    for (auto layout : {TestServer::SplitLayout::Old, TestServer::SplitLayout::Source})
        for (bool compressed : {false, true}) {
            server.setSplitLayout(layout);
            server.setCompressed(compressed);
            const std::string tag = std::to_string(n++);
            write(out + "/server_players_" + tag, encode(server.answer(players_)));
            write(out + "/server_rules_" + tag, encode(server.answer(rules)));
        }
    return 0;
}
