// Downloads from a local nginx: how many a second, and how fast the body comes in, into
// memory and into a file. Measures the client's 512-byte receive loop, not the network.
#include "http/HttpClient.h"

#include "tests/support/NginxServer.h"
#include "tests/support/TempDir.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

testing_support::NginxServer& web()
{
    static testing_support::NginxServer server;
    static const bool started = [] {
        for (long size : {40L, 16L << 10, 1L << 20})
            server.serve("/bench/" + std::to_string(size), std::string(static_cast<std::size_t>(size), 'x'));
        if (!server.start()) {
            std::fprintf(stderr, "nginx did not start:\n%s\n", server.errorLog().c_str());
            std::exit(1);
        }
        return true;
    }();
    (void)started;
    return server;
}

void GetToMemory(benchmark::State& state)
{
    const std::string path = "/bench/" + std::to_string(state.range(0));
    HttpClient client(web().host());
    std::string body;
    for (auto _ : state) {
        if (!client.getToMemory(path, body)) {
            state.SkipWithError("download failed");
            break;
        }
        benchmark::DoNotOptimize(body.data());
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(GetToMemory)->Arg(40)->Arg(16 << 10)->Arg(1 << 20)->UseRealTime();

void GetToFile(benchmark::State& state)
{
    const std::string path = "/bench/" + std::to_string(state.range(0));
    testing_support::TempDir out;
    HttpClient client(web().host());
    for (auto _ : state) {
        if (!client.getToFile(path, out.file("picture.jpg"))) {
            state.SkipWithError("download failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(GetToFile)->Arg(16 << 10)->Arg(1 << 20)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
