// Kept apart: the kernel's termios2 headers clash with the C library's <termios.h>.
#include "link/DeviceSpeed.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>

extern "C" int ioctl(int fd, unsigned long request, ...);

int DeviceSpeed(int fd) {
    termios2 t{};
    if (ioctl(fd, TCGETS2, &t) != 0) return -1;
    // A custom rate lives in c_ospeed; a standard one only in the code bits,
    // which pseudo-terminals never translate into c_ospeed.
    static const struct {
        unsigned code;
        int bps;
    } table[] = {{B1200, 1200},     {B2400, 2400},     {B4800, 4800},     {B9600, 9600},
                 {B19200, 19200},   {B38400, 38400},   {B57600, 57600},   {B115200, 115200},
                 {B230400, 230400}, {B460800, 460800}, {B921600, 921600}};
    const unsigned code = t.c_cflag & CBAUD;
    if (code == BOTHER) return static_cast<int>(t.c_ospeed);
    for (const auto& row : table)
        if (row.code == code) return row.bps;
    return static_cast<int>(t.c_ospeed);
}
