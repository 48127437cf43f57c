#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "tools/tarnell-sim/Receiver.h"

namespace tarnell::sim {

// The receiver's command side: bytes from the other end in, complete reply
// sentences out, settings changed on the way.
class CommandInterpreter {
public:
    explicit CommandInterpreter(Receiver& receiver) : rx_(receiver) {}

    // Takes bytes as they arrive, in any pieces; returns the replies of the
    // sentences they complete, in order.
    std::vector<std::string> Feed(std::string_view bytes);

    // The replies to one received line (its line end optional). A line whose
    // checksum is missing or wrong, or that is not a PMTK packet, earns none.
    std::vector<std::string> Handle(std::string_view line);

    // Longest line kept while assembling; longer ones are dropped whole.
    static constexpr std::size_t kMaxLine = 255;

private:
    std::string Answer(int query) const;
    int Apply(int command, const std::vector<std::string_view>& fields);

    Receiver& rx_;
    std::string line_;
    bool overlong_ = false;
};

}  // namespace tarnell::sim
