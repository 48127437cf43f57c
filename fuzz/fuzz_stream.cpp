// Any bytes, in chunks of any size up to 1024, through the framer, the checksum
// and the dispatch into the decoders, formatters, answer parsers and channel entries.
#include <cstdlib>
#include <cstring>

#include "Chunks.h"
#include "link/Framer.h"
#include "support/ProtoChain.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    ProtoChain chain;
    ForEachChunk(data, size, [&](const uint8_t* chunk, int32_t count) {
        chain.Feed(chunk, count);
        // The line and the pump's byte copy move in step; neither outgrows its limits.
        Check(chain.Copy.Count >= 0 && chain.Copy.Count <= tarnell::LineBuffer::Capacity);
        Check(chain.Line.size() <= tarnell::kLineGuard);
        Check(chain.Line.size() == static_cast<std::size_t>(chain.Copy.Count));
        Check(std::memcmp(chain.Line.data(), chain.Copy.Bytes.data(), chain.Line.size()) == 0);
    });
    for (const tarnell::SatelliteRecord& r : chain.Satellites) Check(r.Present == 0 || r.Present == 1);
    Check(chain.Verified <= chain.Lines);
    return 0;
}
