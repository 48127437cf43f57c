// Writes the fuzz targets' seed corpus: sentences of the receiver emulator's
// world and of its command side, hand-written examples of every kind the
// program decodes, every answer cut short at every position, and bad input.
//   tarnell-fuzz-corpus fuzz/corpus
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "config/Sentence.h"
#include "support/WorldStream.h"
#include "tools/tarnell-sim/Interpreter.h"

namespace fs = std::filesystem;
using tarnell::CompleteSentence;
using namespace std::string_literals;

namespace {

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Join(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += l;
    return out;
}

// What the emulator answers to each query and acknowledges to each command, successes and failures.
std::vector<std::string> Answers() {
    const char* const sent[] = {"$PMTK400",
                                "$PMTK401",
                                "$PMTK414",
                                "$PMTK419",
                                "$PMTK430",
                                "$PMTK490",
                                "$PMTK602",
                                "$PMTK604",
                                "$PMTK605",
                                "$PMTK101",
                                "$PMTK314,-1",
                                "$PMTK314,1,1,1,1,1,1,0,0,0,0,0,0,0,0,0,0,0,1,1",
                                "$PMTK300,200,0,0,0,0",
                                "$PMTK251,9600",
                                "$PMTK301,2",
                                "$PMTK330,220",
                                "$PMTK319,0",
                                "$PMTK160,1",
                                "$PMTK390,0,1,4800,0,0,0,0,0,0,0,0,0,0,",
                                "$PMTK220,1000",
                                "$PMTK188,1",
                                "$PMTK999"};
    std::vector<std::string> out;
    for (bool failing : {false, true}) {
        tarnell::sim::Receiver rx;
        if (failing)
            for (int c : {101, 160, 220, 251, 300, 301, 314, 319, 330, 390}) rx.failing.insert(c);
        tarnell::sim::CommandInterpreter interpreter(rx);
        for (const char* body : sent)
            for (std::string& reply : interpreter.Handle(CompleteSentence(body)))
                if (!failing || reply.rfind("$PMTK001", 0) == 0) out.push_back(std::move(reply));
    }
    return out;
}

// Examples written by hand, with the odd cases the decoders must take.
std::vector<std::string> Examples() {
    const char* const bodies[] = {
        "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,,",
        "$GPRMC,023519,A,4807.038,N,12311.12,W,022.4,084.4,230394,,",
        "$GPRMC,203519,A,2503.3,N,12130.5,E,0.13,,150607,,",
        "$GPRMC,,,,,,,,,,,",
        "$GPRMC,123519,A,4807.038,N,01131.000,E,abc,084.4,230394,,",
        "$GPRMC,12-35-19,A,48-07.038,N,01131.000,E,022.4,084.4,23-03-94,,",
        "$GPRMC,1e308,A,99999999999.9,N,-18000.0,W,1e300,,99999999999,,",
        "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,",
        "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,-12.5,M,46.9,M,,",
        "$GPGGA,,,,,,0,00,,,M,,M,,",
        "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1",
        "$GPGSA,A,1,,,,,,,,,,,,,,,",
        "$GPGSA,A,3,01,02,03,04,05,06,07,08,09,10,11,12,1.5,0.9,1.2",
        "$GPGSA,A,2,120,50,49,,,,,,,,,,10.1,,",
        "$GPGSA,A,x,,,,,,,,,,,,,,,",
        "$GPGSV,3,1,12,01,40,083,46,02,17,308,41,03,07,344,39,04,22,228,45",
        "$GPGSV,3,2,12,05,40,083,46,06,17,308,41,07,40,083,,08,22,228,45",
        "$GPGSV,3,3,12,09,40,083,46,10,17,308,41,11,07,344,39,12,22,228,45",
        "$GPGSV,1,1,00",
        "$GPGSV,1,1,02,07,40,083,,120,10,10,30",
        "$GPGSV,2,1,08,x,y,z,w,-5,-90,-400,99",
        "$GPVTG,084.4,T,,M,022.4,N,041.5,K,A",
        "$GPZDA,123519,23,03,1994,00,00",
        "$GPGLL,4807.038,N,01131.000,E,123519,A,A",
        "$GNGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,",
        "$PMTK001,314,3",
        "$PMTK001,314,2",
        "$PMTK001,101,3",
        "$PMTK001,301,3",
        "$PMTK001,160,3",
        "$PMTK001,160,0",
        "$PMTK001,220,3",
        "$PMTK514,0,1,0,1,1,5,0,0,0,0,0,0,0,0,0,0,0,0,0",
        "$PMTK514,1,1,1,1,1,1,0,0,0,0,0,0,0,0,0,0,0,9,1",
        "$PMTK501,2",
        "$PMTK702,1,0,9600",
        "$PMTK530,5",
        "$PMTK530,12",
        "$PMTK530,123",
        "$PMTK519,1",
        "$PMTK500,1000,0,0,0,0",
        "$PMTK500,200,0,0,0,0",
        "$PMTK500,2000,0,0,0,0",
        "$PMTK590,3,1,9600,0,1,0,1,5,1,0,0,2,0,4800",
        "$PMTK705,AXN_1.30,0001",
        "$PMTK704,a*b*c",
        ("$PMTKCHN,07452,00000,12381,23419,05301,06312,07322,08332,09342,10352,11362,12372,13382,14392,15402,"
         "16412,17422,18432,19442,20452,21462,22472,23482,24492,25502,26512,27522,28532,29542,30552,31562,"
         "32572"),
        "$PMTKCHN,07452,00000",
    };
    std::vector<std::string> out;
    for (const char* body : bodies) out.push_back(CompleteSentence(body));
    return out;
}

// Input the receiver should never send but a bad link delivers.
std::vector<std::string> BadInput() {
    std::vector<std::string> out;
    std::string noise(1024, '\0');
    std::uint64_t x = 88172645463325252ull;
    for (char& c : noise) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        c = static_cast<char>(x);
    }
    out.push_back(noise);
    std::string nul = CompleteSentence("$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,,");
    nul[10] = '\0';
    nul[20] = '\xFF';
    out.push_back(nul);
    out.push_back(CompleteSentence("$GPGGA,1\0\xFF,,,,,,,12.5,M,,M,,"s));
    // 250 and 251 characters with CR LF: the longest dispatched and the shortest dropped.
    for (std::size_t total : {250, 251}) {
        std::string body = "$GPGGA,,,,,,,,,7.5,M,,M,,";
        body += std::string(total - body.size() - 5, ',');
        out.push_back(CompleteSentence(body));
    }
    out.push_back(std::string(2000, 'A'));  // a line without its end
    out.push_back("\r\n$PMTK001,314,3*3\r\n$PMTK514*\r\n*\r\n\n");
    return out;
}

// A stream file: the chunking seed, then the bytes.
std::string Stream(std::uint16_t seed, const std::string& bytes) {
    return std::string{static_cast<char>(seed & 0xFF), static_cast<char>(seed >> 8)} + bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tarnell-fuzz-corpus DIR\n");
        return 2;
    }
    const fs::path root = argv[1];
    const fs::path line = root / "fuzz_line", stream = root / "fuzz_stream", window = root / "fuzz_window";
    for (const fs::path& d : {line, stream, window}) {
        fs::remove_all(d);
        fs::create_directories(d);
    }

    const std::vector<std::string> world = WorldSentences(5, 200), lost = WorldSentences(2, 200, true);
    const std::vector<std::string> answers = Answers(), examples = Examples(), bad = BadInput();

    // Single lines: each kind once, and every answer and channel report cut short
    // at every position (the target gives each cut its own checksum).
    std::set<std::string> lines(examples.begin(), examples.end());
    lines.insert(world.begin(), world.begin() + static_cast<std::ptrdiff_t>(world.size() / 5));
    std::vector<std::string> toCut = answers;
    for (const std::string& s : world)
        if (s.rfind("$PMTKCHN", 0) == 0) toCut.push_back(s);
    for (const std::string& s : toCut) {
        lines.insert(s);
        for (std::size_t cut = 1; cut < s.find('*'); ++cut) lines.insert(s.substr(0, cut));
    }
    int n = 0;
    for (const std::string& bytes : lines) {
        char name[32];
        std::snprintf(name, sizeof name, "line-%04d", n++);
        WriteFile(line / name, bytes);
    }

    // Streams: the same bytes under different chunkings.
    const std::pair<const char*, std::string> streams[] = {
        {"world", Join(world)},     {"lost-fix", Join(lost)},
        {"answers", Join(answers)}, {"examples", Join(examples)},
        {"bad", Join(bad)},         {"mixed", Join(world) + Join(bad) + Join(answers)},
    };
    for (const auto& [name, bytes] : streams) {
        for (std::uint16_t seed : {1, 7, 4242}) {
            const std::string file = std::string(name) + "-" + std::to_string(seed);
            WriteFile(stream / file, Stream(seed, bytes));
            if (seed == 1) WriteFile(window / file, Stream(seed, bytes));
        }
    }
    std::printf("%d lines, %zu streams\n", n, std::size(streams));
    return 0;
}
