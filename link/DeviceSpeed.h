#pragma once

// The line speed in bits per second of an open terminal device, custom rates
// included (the classic termios record cannot hold them); -1 when unreadable.
int DeviceSpeed(int fd);
