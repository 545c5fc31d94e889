#pragma once

#include <string>
#include <vector>

namespace vemo::osc {

// A parsed command address such as /vemo/song/12/show/main_stage/play.
struct OscAddress {
    std::string show;
    std::string song;
    std::string id;
    std::string command;
    bool isEvent = false;
    bool isSfx = false;
};

// The parts between '/' characters, read like successive line reads with '/' as the line end:
// a leading '/' gives an empty first part and a trailing '/' adds no empty last part.
std::vector<std::string> SplitOscAddress(const std::string& address);

// Throws std::runtime_error for an address that is too short, lacks the /vemo/ prefix or holds an
// unknown part.
OscAddress ParseOscAddress(const std::string& address);

// The OSC-safe form of a name: lower-case ASCII, and '_' for every non-ASCII byte and for each of
// # , * blank / ? [ ] { }.
std::string ToOscName(const std::string& name);

// 10^(db / 20).
double DbToGain(int db);

} // namespace vemo::osc
