#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The sentences of the emulator's world, fix after fix, with every sentence
// at rate 1: realistic receiver output made without a clock, so the same
// arguments always give the same bytes. `lostFix` starts in a restart outage.
std::vector<std::string> WorldSentences(int fixes, int fixIntervalMs, bool lostFix = false);
std::string WorldStream(int fixes, int fixIntervalMs, bool lostFix = false);
