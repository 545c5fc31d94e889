#pragma once

#include <string>
#include <vector>

namespace CL {

// Collects the ids in use and names new ones: the prefix followed by the highest number used
// after that prefix plus 1, so a new event never takes the id of one that existed before.
class EventIdNumbers {
public:
    explicit EventIdNumbers(std::string prefix);

    void Note(const std::string& id);
    unsigned long NextNumber() const { return highest_ + 1; }
    std::string NextId() const { return prefix_ + std::to_string(NextNumber()); }

private:
    std::string prefix_;
    unsigned long highest_ = 0;
};

} // namespace CL
