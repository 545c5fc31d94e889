#include "lists/list_row_meta_types.h"

namespace vemo::qt {

void RegisterListRowMetaTypes()
{
    qRegisterMetaType<EventInfoItem>();
    qRegisterMetaType<MarkerInfoItem>();
}

} // namespace vemo::qt
