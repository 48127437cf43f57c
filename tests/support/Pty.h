#pragma once
#include <string>
#include <termios.h>

// A real pseudo-terminal: the program opens the slave path, the test plays the
// receiver on the master end.
class Pty {
public:
    Pty();
    ~Pty();
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    const std::string& Path() const { return path_; }
    int Master() const { return master_; }

    void Write(const std::string& bytes);
    // Everything the program has written so far (non-blocking).
    std::string ReadAvailable();
    // The slave's line settings as the program configured them.
    termios Settings() const;
    // The slave's speed in bits per second.
    int Speed() const;
    // Closes the master end: the device goes away under the program.
    void CloseMaster();

private:
    int master_ = -1;
    int slave_ = -1;  // held open so the pty survives the program's close
    std::string path_;
};

