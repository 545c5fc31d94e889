#include "lists/marker_info_item.h"

#include <utility>

namespace vemo::qt {

MarkerInfoItem::MarkerInfoItem(std::string markerName, std::string markerLocation, std::uint32_t markerPosition)
    : name(std::move(markerName))
    , location(std::move(markerLocation))
    , position(markerPosition)
{
}

MarkerInfoItem MarkerInfoItem::FromMarker(const CL::Marker& marker)
{
    return {marker.value(), {}, marker.abs_time()};
}

bool MarkerInfoItem::operator==(const MarkerInfoItem& other) const
{
    return name == other.name && position == other.position;
}

} // namespace vemo::qt
