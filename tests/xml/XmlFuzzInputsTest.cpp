// The fuzz target's seed corpus and every input it ever found wrong, checked in the ordinary
// test run (and so under the sanitizers too) with the fuzz target's own rules.
#include "tests/support/TempDir.h"
#include "tests/xml/fuzz/XmlFuzzCheck.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(XmlFuzzInputs, SeedCorpusAndRegressions)
{
    for (const char* folder : { "corpus", "regressions" }) {
        int count = 0;
        for (const auto& entry :
            std::filesystem::directory_iterator(HOLMIK_SOURCE_DIR "/tests/xml/fuzz/" + std::string(folder))) {
            const std::string bytes = testing_support::readFile(entry.path().string());
            EXPECT_EQ(xml_fuzz::check(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), "")
                << entry.path();
            ++count;
        }
        EXPECT_GT(count, 1) << folder;
    }
    setXmlOptions(XmlEncodingUtf8, true, true, true);
}
