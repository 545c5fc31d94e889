#pragma once

#include <QString>

#include <cstddef>
#include <string_view>

namespace vemo::shows {

// The start of every PNG image.
inline constexpr std::string_view kPngSignature{"\x89PNG\r\n\x1a\n", 8};

// "data:image/png;base64," followed by the standard Base64 text (with padding) of the bytes, built
// in one allocation.
QString PngDataUrl(std::string_view bytes);

} // namespace vemo::shows
