#pragma once
#include <fstream>
#include <string>

// Resident memory in MB from /proc/self/status: all of it ("VmRSS"), or the process's own
// ("RssAnon"), which leaves out the pages of shared libraries and fonts that the system may
// drop and read in again at will.
inline double ResidentMB(const std::string& field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ":", 0) == 0) return std::stod(line.substr(field.size() + 1)) / 1024.0;
    return 0;
}
