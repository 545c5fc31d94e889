#include "audio_output/unique_path_name.h"

#include <algorithm>

namespace vemo::qt {
namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The number a taken name gives `name`: "" when it gives none, else its digits without leading
// zeros ("1" for the name itself, "0" for a suffix of zeros).
std::string NumberOf(const std::string& taken, const std::string& name)
{
    if (taken == name) {
        return "1";
    }
    if (taken.size() < name.size() + 2 || taken.compare(0, name.size(), name) != 0 || !IsBlank(taken[name.size()])) {
        return {};
    }
    const std::string digits = taken.substr(name.size() + 1);
    if (!std::all_of(digits.begin(), digits.end(), IsDigit)) {
        return {};
    }
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? "0" : digits.substr(first);
}

// Both without leading zeros.
bool Greater(const std::string& a, const std::string& b)
{
    return a.size() != b.size() ? a.size() > b.size() : a > b;
}

std::string PlusOne(std::string digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return digits;
        }
        *it = '0';
    }
    return "1" + digits;
}

} // namespace

std::string UniquePathName(const std::string& name, const std::vector<std::string>& taken)
{
    std::string highest = "0";
    for (const std::string& other : taken) {
        const std::string number = NumberOf(other, name);
        if (!number.empty() && Greater(number, highest)) {
            highest = number;
        }
    }
    return highest == "0" ? name : name + " " + PlusOne(highest);
}

} // namespace vemo::qt
