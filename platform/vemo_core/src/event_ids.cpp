#include "event_ids.h"

#include <charconv>

namespace CL {

EventIdNumbers::EventIdNumbers(std::string prefix)
    : prefix_(std::move(prefix))
{
}

void EventIdNumbers::Note(const std::string& id)
{
    if (id.size() <= prefix_.size() || id.compare(0, prefix_.size(), prefix_) != 0)
        return;
    const char* first = id.data() + prefix_.size();
    const char* last = id.data() + id.size();
    unsigned long number = 0;
    const auto [end, error] = std::from_chars(first, last, number);
    if (error != std::errc() || end != last || number >= 1000000000UL)
        return;
    if (number > highest_)
        highest_ = number;
}

} // namespace CL
