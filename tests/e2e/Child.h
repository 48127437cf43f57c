#pragma once
#include <signal.h>
#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

// A program run by a test: its standard output comes through a pipe, and it is
// ended (SIGTERM, then SIGKILL) when the object goes.
class Child {
public:
    explicit Child(const std::vector<std::string>& argv);
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool Running() const { return pid_ > 0; }
    // The next line of its output, without the line end; nothing when none came within `ms`.
    std::optional<std::string> ReadLine(int ms);
    // Ends it by `signal` and returns its exit status (-1 when it had to be killed or never ran).
    int Stop(int signal = SIGTERM);

private:
    pid_t pid_ = -1;
    int out_ = -1;
    std::string buffer_;
};

// The absolute path of a program found in PATH, /usr/sbin or /sbin; empty when there is none.
std::string FindProgram(const std::string& name);
