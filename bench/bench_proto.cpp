// The protocol library alone: framing, checksum and dispatch into the navigation
// fields and the satellite table, one core, in chunks of 1024 bytes as the
// pump reads them.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "support/ProtoChain.h"
#include "support/WorldStream.h"

namespace {

void FeedStream(benchmark::State& state, const std::string& bytes, bool display) {
    ProtoChain chain;
    chain.Display = display;
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    for (auto _ : state) {
        for (std::size_t at = 0; at < bytes.size(); at += 1024)
            chain.Feed(data + at, static_cast<int32_t>(std::min<std::size_t>(1024, bytes.size() - at)));
        benchmark::DoNotOptimize(chain.Shown);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
    state.SetItemsProcessed(static_cast<int64_t>(chain.Lines));  // items: lines
}

// Five fixes per second with every sentence on, channel report included: about 1 MB.
const std::string& EmulatorStream() {
    static const std::string stream = WorldStream(1200, 200);
    return stream;
}

void BM_ProtoEmulatorStream(benchmark::State& state) {
    state.SetLabel("emulator stream, target 200 MB/s");
    FeedStream(state, EmulatorStream(), false);
}
BENCHMARK(BM_ProtoEmulatorStream);

// The same stream with the four sentences a plain NMEA parser decodes (GGA/RMC/GSA/GSV).
void BM_ProtoStandardFour(benchmark::State& state) {
    static const std::string stream = [] {
        std::string out;
        for (const std::string& s : WorldSentences(1200, 200)) {
            const std::string id = s.substr(1, 5);
            if (id == "GPGGA" || id == "GPRMC" || id == "GPGSA" || id == "GPGSV") out += s;
        }
        return out;
    }();
    state.SetLabel("GGA/RMC/GSA/GSV only");
    FeedStream(state, stream, false);
}
BENCHMARK(BM_ProtoStandardFour);

// As the window runs it: the display texts and the sky view's marks made as well.
void BM_ProtoWithDisplayTexts(benchmark::State& state) {
    state.SetLabel("emulator stream, display texts and sky marks too");
    FeedStream(state, EmulatorStream(), true);
}
BENCHMARK(BM_ProtoWithDisplayTexts);

// A capture file named by TARNELL_CAPTURE, read as it is (its comment lines fail their checksum).
void BM_ProtoCapture(benchmark::State& state) {
    const char* path = std::getenv("TARNELL_CAPTURE");
    std::ifstream in(path ? path : "", std::ios::binary);
    if (!in) {
        state.SkipWithError("no capture file: set TARNELL_CAPTURE");
        return;
    }
    std::stringstream content;
    content << in.rdbuf();
    state.SetLabel(path);
    FeedStream(state, content.str(), false);
}
BENCHMARK(BM_ProtoCapture);

}  // namespace
