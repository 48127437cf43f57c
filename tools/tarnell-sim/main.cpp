// tarnell-sim: a GPS receiver of the PMTK command set on a pseudo-terminal.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "link/DeviceSpeed.h"
#include "tools/tarnell-sim/Interpreter.h"
#include "tools/tarnell-sim/Replay.h"
#include "tools/tarnell-sim/Transcript.h"
#include "tools/tarnell-sim/Transmitter.h"
#include "tools/tarnell-sim/Wire.h"
#include "tools/tarnell-sim/World.h"

using namespace tarnell::sim;

namespace {

const char kUsage[] =
    "usage: tarnell-sim [options]\n"
    "Plays a GPS receiver on a pseudo-terminal and prints the device's path.\n"
    "  --link PATH           also make PATH a symbolic link to the device\n"
    "  --baud BPS            the receiver's port speed (115200)\n"
    "  --fix-interval MS     time between fixes (1000)\n"
    "  --lat DEG --lon DEG   start point, north and east positive (25.0478, 121.5319)\n"
    "  --alt M               altitude (12)\n"
    "  --ground-speed KMH    speed over ground (36)\n"
    "  --heading DEG         course over ground (45)\n"
    "  --cold-start S        seconds without a fix after a cold restart (8); warm: half, hot: 1\n"
    "  --replay FILE         play FILE instead of the simulated world (lines starting with # skipped)\n"
    "  --loop                start the replay over at its end\n"
    "  --transcript FILE     record every byte received, one time-stamped line per sentence\n"
    "  --record FILE         record every byte sent to the device, as written\n"
    "faults:\n"
    "  --bad-checksums P     send each sentence with a wrong checksum with probability P\n"
    "  --noise P             add a burst of noise bytes after a fix with probability P\n"
    "  --split               cut sentences at random points, with a pause between the parts\n"
    "  --fail LIST           acknowledge these commands (e.g. 314,330) as failed\n"
    "  --silence AFTER:FOR   send nothing for FOR seconds from AFTER seconds on\n"
    "  --seed N              seed of the faults and the garbling (1)\n";

struct Options {
    std::string link, replay, transcript, record;
    bool loop = false, split = false;
    int baud = 115200;
    int fixIntervalMs = 1000;
    Motion motion;
    double coldStartS = 8;
    double badChecksums = 0, noise = 0;
    std::set<int> fail;
    double silenceAfterS = -1, silenceForS = 0;
    std::uint64_t seed = 1;
};

[[noreturn]] void Usage(const std::string& problem) {
    std::fprintf(stderr, "tarnell-sim: %s\n%s", problem.c_str(), kUsage);
    std::exit(2);
}

double Number(const std::string& name, const std::string& text) {
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0') Usage("bad value for " + name + ": " + text);
    return v;
}

Options Parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i], value;
        const bool flag = name == "--loop" || name == "--split" || name == "--help" || name == "-h";
        if (const auto eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        } else if (!flag) {
            if (i + 1 == argc) Usage("missing value for " + name);
            value = argv[++i];
        }
        if (name == "--help" || name == "-h") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        } else if (name == "--link")
            o.link = value;
        else if (name == "--baud") {
            o.baud = static_cast<int>(Number(name, value));
            if (!IsLineSpeed(o.baud)) Usage("not a port speed: " + value);
        } else if (name == "--fix-interval") {
            o.fixIntervalMs = static_cast<int>(Number(name, value));
            if (o.fixIntervalMs < 100 || o.fixIntervalMs > 10000) Usage("fix interval out of 100..10000 ms");
        } else if (name == "--lat")
            o.motion.latDeg = std::clamp(Number(name, value), -89.9, 89.9);
        else if (name == "--lon")
            o.motion.lonDeg = Number(name, value);
        else if (name == "--alt")
            o.motion.altM = Number(name, value);
        else if (name == "--ground-speed")
            o.motion.speedKmh = std::max(0.0, Number(name, value));
        else if (name == "--heading")
            o.motion.headingDeg = Number(name, value);
        else if (name == "--cold-start")
            o.coldStartS = std::max(0.0, Number(name, value));
        else if (name == "--replay")
            o.replay = value;
        else if (name == "--loop")
            o.loop = true;
        else if (name == "--transcript")
            o.transcript = value;
        else if (name == "--record")
            o.record = value;
        else if (name == "--bad-checksums")
            o.badChecksums = Number(name, value);
        else if (name == "--noise")
            o.noise = Number(name, value);
        else if (name == "--split")
            o.split = true;
        else if (name == "--fail") {
            std::stringstream list(value);
            for (std::string item; std::getline(list, item, ',');)
                o.fail.insert(static_cast<int>(Number(name, item)));
        } else if (name == "--silence") {
            const auto colon = value.find(':');
            if (colon == std::string::npos) Usage("--silence takes AFTER:FOR");
            o.silenceAfterS = Number(name, value.substr(0, colon));
            o.silenceForS = Number(name, value.substr(colon + 1));
        } else if (name == "--seed")
            o.seed = static_cast<std::uint64_t>(Number(name, value));
        else
            Usage("unknown option " + name);
    }
    return o;
}

volatile std::sig_atomic_t g_stop = 0;
void OnSignal(int) {
    g_stop = 1;
}

std::int64_t UtcMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

speed_t SpeedCode(int bps) {
    switch (bps) {
        case 4800:
            return B4800;
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        case 115200:
            return B115200;
        default:
            return B0;
    }
}

std::FILE* OpenOutput(const std::string& path) {
    if (path.empty()) return nullptr;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "tarnell-sim: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
        std::exit(1);
    }
    return f;
}

std::int64_t NextFixAfter(std::int64_t utcMs, int intervalMs) {
    return (utcMs / intervalMs + 1) * intervalMs;
}

}  // namespace

int main(int argc, char** argv) {
    const Options o = Parse(argc, argv);

    std::optional<Replay> replay;
    if (!o.replay.empty()) {
        std::ifstream in(o.replay, std::ios::binary);
        if (!in) Usage("cannot read " + o.replay);
        std::stringstream content;
        content << in.rdbuf();
        replay.emplace(content.str(), o.loop);
    }

    int master = -1, slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        std::perror("tarnell-sim: openpty");
        return 1;
    }
    // Raw, at the receiver's speed, until the other side sets its own. The slave
    // stays open here, so the device lives on between the other side's sessions.
    termios t{};
    tcgetattr(slave, &t);
    cfmakeraw(&t);
    if (const speed_t code = SpeedCode(o.baud); code != B0) cfsetspeed(&t, code);
    tcsetattr(slave, TCSANOW, &t);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);

    if (!o.link.empty()) {
        struct stat st {};
        if (lstat(o.link.c_str(), &st) == 0) {
            if (!S_ISLNK(st.st_mode)) {
                std::fprintf(stderr, "tarnell-sim: %s exists and is not a link\n", o.link.c_str());
                return 1;
            }
            unlink(o.link.c_str());
        }
        if (symlink(name, o.link.c_str()) != 0) {
            std::fprintf(stderr, "tarnell-sim: cannot link %s: %s\n", o.link.c_str(), std::strerror(errno));
            return 1;
        }
    }

    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaction(s, &sa, nullptr);

    std::FILE* transcriptFile = OpenOutput(o.transcript);
    std::FILE* recordFile = OpenOutput(o.record);
    std::optional<Transcript> transcript;
    if (transcriptFile) transcript.emplace(transcriptFile);

    std::printf("%s\n", name);
    std::fflush(stdout);

    Receiver rx;
    rx.baud = o.baud;
    rx.fixIntervalMs = o.fixIntervalMs;
    rx.failing = o.fail;
    CommandInterpreter interpreter(rx);
    const std::int64_t startMs = UtcMs();
    World world(o.motion, startMs);
    Transmitter tx(master, {o.badChecksums, o.split, o.seed}, recordFile);
    std::uint64_t seed = o.seed ^ 0x5EED;

    int interval = rx.fixIntervalMs;
    std::int64_t nextFixMs = NextFixAfter(startMs, interval);
    std::uint64_t fixNumber = 0;
    bool woken = false;

    while (!g_stop) {
        const std::int64_t now = UtcMs();
        const double runS = static_cast<double>(now - startMs) / 1000.0;
        const bool silent = !woken && o.silenceAfterS >= 0 && runS >= o.silenceAfterS &&
                            runS < o.silenceAfterS + o.silenceForS;

        if (rx.fixIntervalMs != interval || now - nextFixMs > 5 * interval) {
            interval = rx.fixIntervalMs;
            nextFixMs = NextFixAfter(now, interval);
        }
        if (now >= nextFixMs) {
            if (!replay && !silent) {
                for (std::string& s : world.Fix(nextFixMs, fixNumber, rx.rates))
                    tx.Send(std::move(s), rx.baud);
                if (o.noise > 0 && NextChance(seed) < o.noise) tx.Noise();
            }
            ++fixNumber;
            nextFixMs += interval;
        }
        // A replay keeps the line busy at the emulated speed, a line at a time so replies fit between.
        while (replay && !silent && tx.Queued() < 256) {
            std::string line = replay->Next();
            if (line.empty()) break;
            tx.Send(std::move(line), rx.baud);
        }

        tx.Pump(Transmitter::Clock::now());

        pollfd p{master, POLLIN, 0};
        const int wait = std::min<std::int64_t>(tx.Timeout(), std::max<std::int64_t>(1, nextFixMs - now));
        if (poll(&p, 1, wait) > 0 && (p.revents & POLLIN)) {
            char buf[4096];
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n > 0) {
                const std::string_view bytes(buf, static_cast<std::size_t>(n));
                if (transcript) transcript->Feed(bytes, UtcMs());
                // At another speed than ours the other side's bytes are noise to us.
                const int other = DeviceSpeed(master);
                if (other <= 0 || other == rx.baud) {
                    const int speedBefore = rx.baud;  // an acknowledgement leaves before a speed change
                    for (std::string& r : interpreter.Feed(bytes))
                        if (!silent) tx.Send(std::move(r), speedBefore);
                }
                if (rx.restartRequest) {
                    const double outageS = rx.restartRequest == 103   ? o.coldStartS
                                           : rx.restartRequest == 102 ? o.coldStartS / 2
                                                                      : 1.0;
                    world.LoseFix(now, now + static_cast<std::int64_t>(outageS * 1000));
                    rx.restartRequest = 0;
                }
                if (rx.wakeRequest) {
                    woken = true;
                    rx.wakeRequest = false;
                }
            } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
                // Nobody holds the other end for a moment (EIO); don't spin on it.
                usleep(20000);
            }
        }
    }

    if (transcript) transcript->Flush();
    if (transcriptFile) std::fclose(transcriptFile);
    if (recordFile) std::fclose(recordFile);
    if (!o.link.empty()) {
        char target[256] = {};
        if (readlink(o.link.c_str(), target, sizeof target - 1) > 0 && std::strcmp(target, name) == 0)
            unlink(o.link.c_str());
    }
    close(master);
    close(slave);
    return 0;
}
