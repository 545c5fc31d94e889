#include "utilon/numeric_string_compare.h"

namespace utilon {
namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Compares the digit runs starting at a[i] and b[j]; advances both indices past their runs.
int CompareDigitRuns(const std::string& a, std::size_t& i, const std::string& b, std::size_t& j)
{
    const std::size_t runStartA = i;
    const std::size_t runStartB = j;
    while (i < a.size() && IsDigit(a[i]))
        ++i;
    while (j < b.size() && IsDigit(b[j]))
        ++j;
    std::size_t valueStartA = runStartA;
    std::size_t valueStartB = runStartB;
    while (valueStartA + 1 < i && a[valueStartA] == '0')
        ++valueStartA;
    while (valueStartB + 1 < j && b[valueStartB] == '0')
        ++valueStartB;
    const std::size_t valueLengthA = i - valueStartA;
    const std::size_t valueLengthB = j - valueStartB;
    if (valueLengthA != valueLengthB)
        return valueLengthA < valueLengthB ? -1 : 1;
    const int digits = a.compare(valueStartA, valueLengthA, b, valueStartB, valueLengthB);
    if (digits != 0)
        return digits;
    const std::size_t runLengthA = i - runStartA;
    const std::size_t runLengthB = j - runStartB;
    if (runLengthA != runLengthB)
        return runLengthA < runLengthB ? -1 : 1;
    return 0;
}

} // namespace

bool NumericStringCompare::operator()(const std::string& a, const std::string& b) const
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            const int runs = CompareDigitRuns(a, i, b, j);
            if (runs != 0)
                return runs < 0;
            continue;
        }
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[j]);
        if (ca != cb)
            return ca < cb;
        ++i;
        ++j;
    }
    return (a.size() - i) < (b.size() - j);
}

} // namespace utilon
