#include "png_data_url.h"

#include <algorithm>

namespace vemo::shows {
namespace {

constexpr std::u16string_view kPrefix = u"data:image/png;base64,";
constexpr char16_t kAlphabet[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

} // namespace

QString PngDataUrl(std::string_view bytes)
{
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    QString url(static_cast<qsizetype>(kPrefix.size() + 4 * ((size + 2) / 3)), Qt::Uninitialized);
    char16_t* out = std::copy(kPrefix.begin(), kPrefix.end(), reinterpret_cast<char16_t*>(url.data()));
    std::size_t i = 0;
    for (; i + 3 <= size; i += 3) {
        const unsigned triple = (in[i] << 16) | (in[i + 1] << 8) | in[i + 2];
        out[0] = kAlphabet[(triple >> 18) & 63];
        out[1] = kAlphabet[(triple >> 12) & 63];
        out[2] = kAlphabet[(triple >> 6) & 63];
        out[3] = kAlphabet[triple & 63];
        out += 4;
    }
    if (i < size) {
        const bool two = i + 1 < size;
        const unsigned triple = (in[i] << 16) | (two ? in[i + 1] << 8 : 0);
        out[0] = kAlphabet[(triple >> 18) & 63];
        out[1] = kAlphabet[(triple >> 12) & 63];
        out[2] = two ? kAlphabet[(triple >> 6) & 63] : u'=';
        out[3] = u'=';
    }
    return url;
}

} // namespace vemo::shows
