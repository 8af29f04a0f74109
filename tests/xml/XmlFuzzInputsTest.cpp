// The fuzz target's seed corpus and every input it ever found wrong, checked in the ordinary
// test run (and so under the sanitizers too) with the fuzz target's own rules.
#include "tests/xml/fuzz/XmlFuzzCheck.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

void checkFolder(const std::string& folder)
{
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(xml_fuzz::check(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), "")
            << entry.path();
        ++count;
    }
    setXmlOptions(XmlEncodingUtf8, true, true, true);
    EXPECT_GT(count, 0) << folder;
}

TEST(XmlFuzzInputs, SeedCorpus) { checkFolder(HOLMIK_SOURCE_DIR "/tests/xml/fuzz/corpus"); }

TEST(XmlFuzzInputs, FoundByTheFuzzer) { checkFolder(HOLMIK_SOURCE_DIR "/tests/xml/fuzz/regressions"); }

} // namespace
