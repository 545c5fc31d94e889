#include "utilon/path.h"

namespace utilon::path {

std::pair<std::string, std::string> splitext(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    const std::size_t componentStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < componentStart)
        return {path, std::string()};
    return {path.substr(0, dot), path.substr(dot)};
}

} // namespace utilon::path
