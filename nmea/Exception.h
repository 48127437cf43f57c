#pragma once
#include <stdexcept>
#include <string>

namespace tarnell {

// The one error type of the program: conversions, port failures and the like
// all carry their user-facing message text in what().
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace tarnell
