#include "support/Pty.h"

#include "link/DeviceSpeed.h"

#include <fcntl.h>
#include <pty.h>
#include <stdexcept>
#include <unistd.h>

Pty::Pty() {
    char name[256] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) throw std::runtime_error("openpty failed");
    path_ = name;
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    termios raw{};
    tcgetattr(slave_, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave_, TCSANOW, &raw);
}

Pty::~Pty() {
    if (master_ >= 0) close(master_);
    if (slave_ >= 0) close(slave_);
}

void Pty::Write(const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (n > 0) done += static_cast<size_t>(n);
        else if (n < 0 && errno != EAGAIN) throw std::runtime_error("pty write failed");
    }
}

std::string Pty::ReadAvailable() {
    std::string out;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(master_, buf, sizeof buf);
        if (n <= 0) break;
        out.append(buf, static_cast<size_t>(n));
    }
    return out;
}

termios Pty::Settings() const {
    termios t{};
    tcgetattr(slave_, &t);
    return t;
}

void Pty::CloseMaster() {
    if (master_ >= 0) close(master_);
    master_ = -1;
}

int Pty::Speed() const { return DeviceSpeed(slave_); }
