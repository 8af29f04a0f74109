// Speed of the XML layer: parsing and writing a generated document of a few megabytes and the
// largest XML file installed on the machine, side by side with pugixml and tinyxml2 in one run.
// The figures are bytes of XML text per second (for writing: bytes of text produced).
#include "xml/XmlNode.h"

#include <benchmark/benchmark.h>

#if HOLMIK_BENCH_PUGIXML
#include <pugixml.hpp>
#endif
#if HOLMIK_BENCH_TINYXML2
#include <tinyxml2.h>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace {

// Settings-like records with attributes, entities, texts, comments and some nesting.
std::string generatedDocument(std::size_t targetBytes)
{
    std::mt19937 random(5);
    std::string out = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Servers>\n";
    int n = 0;
    while (out.size() < targetBytes) {
        out += "\t<Server Name=\"cs" + std::to_string(n) + ".example.net\" Port=\"27015\" Map=\"de_dust2\" Players=\"" +
               std::to_string(random() % 64) + "\" Colour=\"7A89AA\">\n";
        for (int p = 0, count = static_cast<int>(random() % 6); p < count; ++p)
            out += "\t\t<Player Index=\"" + std::to_string(p) + "\" Kills=\"" + std::to_string(random() % 90) +
                   "\" Time=\"" + std::to_string(random() % 5000) + "\">Pl&amp;yer \xC3\xA5 &lt;" +
                   std::to_string(p) + "&gt;</Player>\n";
        out += "\t\t<!-- last seen -->\n\t\t<Note>Round " + std::to_string(n) +
               " &quot;warm-up&quot; text that runs on for a while</Note>\n\t</Server>\n";
        ++n;
    }
    return out + "</Servers>\n";
}

const std::string& generated()
{
    static const std::string text = generatedDocument(4 << 20);
    return text;
}

// The largest .xml file below /usr/share (up to 64 MB), or the generated document.
const std::string& installed()
{
    static const std::string text = [] {
        std::filesystem::path best;
        std::uintmax_t bestSize = 0;
        std::error_code error;
        for (auto it = std::filesystem::recursive_directory_iterator(
                 "/usr/share", std::filesystem::directory_options::skip_permission_denied, error);
             it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
            if (error)
                break;
            if (it->path().extension() != ".xml" || !it->is_regular_file(error))
                continue;
            const std::uintmax_t size = it->file_size(error);
            if (!error && size > bestSize && size < (64u << 20)) {
                best = it->path();
                bestSize = size;
            }
        }
        std::ifstream in(best, std::ios::binary);
        std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (content.empty())
            return generated();
        std::fprintf(stderr, "largest installed XML file: %s (%zu bytes)\n", best.c_str(), content.size());
        return content;
    }();
    return text;
}

const std::string& document(int which) { return which == 0 ? generated() : installed(); }

void ParseOurs(benchmark::State& state)
{
    setXmlOptions(XmlEncodingUtf8, true, true, true);
    const std::string& text = document(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        XmlResult result;
        XmlNode node = XmlNode::parseText(text.c_str(), "", &result);
        if (result.code != XmlNoError)
            state.SkipWithError(xmlErrorText(result.code));
        benchmark::DoNotOptimize(node);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ParseOurs)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void WriteOurs(benchmark::State& state)
{
    setXmlOptions(XmlEncodingUtf8, true, true, true);
    XmlNode node = XmlNode::parseText(document(static_cast<int>(state.range(0))).c_str(), "");
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string out = node.toText(true);
        bytes += out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(WriteOurs)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

#if HOLMIK_BENCH_PUGIXML
void ParsePugixml(benchmark::State& state)
{
    const std::string& text = document(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        pugi::xml_document doc;
        if (!doc.load_buffer(text.data(), text.size()))
            state.SkipWithError("pugixml refused the document");
        benchmark::DoNotOptimize(doc);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ParsePugixml)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

struct StringWriter : pugi::xml_writer {
    std::string out;
    void write(const void* data, std::size_t size) override { out.append(static_cast<const char*>(data), size); }
};

void WritePugixml(benchmark::State& state)
{
    const std::string& text = document(static_cast<int>(state.range(0)));
    pugi::xml_document doc;
    doc.load_buffer(text.data(), text.size());
    std::size_t bytes = 0;
    for (auto _ : state) {
        StringWriter writer;
        doc.save(writer, "\t");
        bytes += writer.out.size();
        benchmark::DoNotOptimize(writer.out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(WritePugixml)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
#endif

#if HOLMIK_BENCH_TINYXML2
void ParseTinyxml2(benchmark::State& state)
{
    const std::string& text = document(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        tinyxml2::XMLDocument doc;
        if (doc.Parse(text.data(), text.size()) != tinyxml2::XML_SUCCESS)
            state.SkipWithError("tinyxml2 refused the document");
        benchmark::DoNotOptimize(doc);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ParseTinyxml2)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void WriteTinyxml2(benchmark::State& state)
{
    const std::string& text = document(static_cast<int>(state.range(0)));
    tinyxml2::XMLDocument doc;
    doc.Parse(text.data(), text.size());
    std::size_t bytes = 0;
    for (auto _ : state) {
        tinyxml2::XMLPrinter printer;
        doc.Print(&printer);
        bytes += static_cast<std::size_t>(printer.CStrSize());
        benchmark::DoNotOptimize(printer.CStr());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(WriteTinyxml2)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
#endif

} // namespace

BENCHMARK_MAIN();
