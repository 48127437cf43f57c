// An independent decoder reads the emulator: gpsd must report a 3D fix at the emulator's position.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <charconv>
#include <string>

#include "e2e/Child.h"

namespace {

// A TCP port nobody listens on right now.
int FreePort() {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
    close(s);
    return ntohs(a.sin_port);
}

// The number after "name": in one JSON report, NaN when the report has none.
double Field(const std::string& json, const char* name) {
    const std::string key = std::string("\"") + name + "\":";
    const std::size_t at = json.find(key);
    if (at == std::string::npos) return NAN;
    const char* first = json.data() + at + key.size();
    double v = NAN;
    std::from_chars(first, json.data() + json.size(), v);  // not strtod: the locale must not matter
    return v;
}

}  // namespace

TEST(Gpsd, ReportsA3DFixAtTheEmulatorsPosition) {
    const std::string gpsd = FindProgram("gpsd"), gpspipe = FindProgram("gpspipe");
    if (gpsd.empty() || gpspipe.empty()) GTEST_SKIP() << "gpsd and gpspipe are not installed (scripts/setup)";

    struct Place {
        const char *lat, *lon;
        const char* baud;
    } places[] = {{"48.1173", "11.5167", "115200"}, {"-33.8688", "-70.6483", "9600"}};
    for (const Place& p : places) {
        Child sim({TARNELL_SIM_PATH, "--lat", p.lat, "--lon", p.lon, "--alt", "520", "--ground-speed", "0",
                   "--baud", p.baud});
        const auto device = sim.ReadLine(5000);
        ASSERT_TRUE(device) << "the emulator printed no device";

        // Read-only, so gpsd sends the receiver nothing; it finds the speed on its own.
        const std::string port = std::to_string(FreePort());
        Child daemon({gpsd, "-N", "-n", "-b", "-S", port, *device});
        ASSERT_TRUE(daemon.Running());

        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        std::string fix;
        while (fix.empty() && std::chrono::steady_clock::now() < deadline) {
            // gpsd may not listen yet: a client that cannot connect ends, and we ask again.
            Child pipe({gpspipe, "-w", "-n", "40", "localhost:" + port});
            while (auto line = pipe.ReadLine(10000)) {
                if (line->find("\"class\":\"TPV\"") != std::string::npos &&
                    line->find("\"mode\":3") != std::string::npos && !std::isnan(Field(*line, "lat"))) {
                    fix = *line;
                    break;
                }
            }
        }
        ASSERT_FALSE(fix.empty()) << "no 3D fix from gpsd within the deadline at " << p.baud;
        EXPECT_NEAR(Field(fix, "lat"), std::stod(p.lat), 1e-5) << fix;
        EXPECT_NEAR(Field(fix, "lon"), std::stod(p.lon), 1e-5) << fix;
        EXPECT_NEAR(Field(fix, "altMSL"), 520.0, 0.1) << fix;
    }
}
