#pragma once

#include <vemo_core/events.h>

#include <QMetaType>

#include <cstdint>
#include <string>

namespace vemo::qt {

// One row of the marker list: the marker's text, the bar text of its tick and its tick. Two rows
// denote the same marker when text and tick agree; the bar text takes no part.
struct MarkerInfoItem {
    std::string name;
    std::string location;
    std::uint32_t position = 0;

    MarkerInfoItem() = default;
    MarkerInfoItem(std::string name, std::string location, std::uint32_t position);

    // The row of a change-log marker, without its bar text.
    static MarkerInfoItem FromMarker(const CL::Marker& marker);

    bool operator==(const MarkerInfoItem& other) const;
};

} // namespace vemo::qt

Q_DECLARE_METATYPE(vemo::qt::MarkerInfoItem)
