// The emulator as a program: its device, its link, its end, its replay.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <chrono>
#include <fstream>
#include <string>

#include "config/Sentence.h"
#include "e2e/Child.h"

namespace {

// The device opened as a program at 115200 would open it.
class Device {
public:
    explicit Device(const std::string& path) : fd_(open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {
        termios t{};
        tcgetattr(fd_, &t);
        cfmakeraw(&t);
        cfsetspeed(&t, B115200);
        tcsetattr(fd_, TCSANOW, &t);
        tcflush(fd_, TCIOFLUSH);
    }
    ~Device() { close(fd_); }
    bool Open() const { return fd_ >= 0; }
    void Write(const std::string& bytes) {
        EXPECT_EQ(write(fd_, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }
    // Reads until `done` holds for what came, or the deadline passes.
    std::string ReadUntil(const std::function<bool(const std::string&)>& done, int ms) {
        std::string got;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (!done(got) && std::chrono::steady_clock::now() < deadline) {
            pollfd p{fd_, POLLIN, 0};
            if (poll(&p, 1, 50) <= 0) continue;
            char buf[4096];
            const ssize_t n = read(fd_, buf, sizeof buf);
            if (n > 0) got.append(buf, static_cast<std::size_t>(n));
        }
        return got;
    }

private:
    int fd_;
};

std::string LinkTarget(const std::string& link) {
    char target[256] = {};
    return readlink(link.c_str(), target, sizeof target - 1) > 0 ? target : "";
}

}  // namespace

TEST(SimProgram, ItsLinkNamesTheDeviceUntilItEnds) {
    QTemporaryDir dir;
    const std::string link = dir.filePath("gps").toStdString();
    ASSERT_EQ(symlink("/dev/null", link.c_str()), 0);  // a stale link from an earlier run
    for (int signal : {SIGTERM, SIGINT}) {
        Child sim({TARNELL_SIM_PATH, "--link", link});
        const auto device = sim.ReadLine(5000);
        ASSERT_TRUE(device);
        EXPECT_EQ(LinkTarget(link), *device);
        EXPECT_EQ(sim.Stop(signal), 0);
        struct stat st {};
        EXPECT_NE(lstat(link.c_str(), &st), 0) << "the link outlived the emulator";
    }
    // Something that is not a link is left alone.
    std::ofstream(link) << "keep";
    Child refused({TARNELL_SIM_PATH, "--link", link});
    EXPECT_FALSE(refused.ReadLine(5000));
    EXPECT_EQ(refused.Stop(SIGTERM), 1);
    EXPECT_EQ(std::ifstream(link).rdbuf()->sgetc(), 'k');
}

TEST(SimProgram, ReplaysACaptureAndStillAnswers) {
    QTemporaryDir dir;
    const std::string capture = dir.filePath("capture.log").toStdString();
    const std::string body = tarnell::CompleteSentence("$GPGGA,120000.000,,,,,0,00,,,M,,M,,") + "half a li" +
                             "ne\r\n" + tarnell::CompleteSentence("$GPRMC,120000.000,V,,,,,,,100624,,,N");
    std::ofstream(capture, std::ios::binary) << "# recorded by hand\n" << body << "#end\n";
    Child sim({TARNELL_SIM_PATH, "--replay", capture});
    const auto device = sim.ReadLine(5000);
    ASSERT_TRUE(device);
    Device gps(*device);
    ASSERT_TRUE(gps.Open());
    // Played once, comments left out, bytes as they stand in the file.
    const std::string played =
        gps.ReadUntil([&](const std::string& got) { return got.size() >= body.size(); }, 5000);
    EXPECT_EQ(played, body);
    gps.Write(tarnell::CompleteSentence("$PMTK605"));
    const std::string answer =
        gps.ReadUntil([](const std::string& got) { return got.find('\n') != std::string::npos; }, 5000);
    EXPECT_EQ(answer, tarnell::CompleteSentence("$PMTK705,TarnellSim_1.0,0001"));
}
