#include "source_registry.h"

#include <algorithm>

namespace vemo::midi::detail {
namespace {

struct Registry {
    std::mutex mutex;
    std::vector<std::shared_ptr<Delivery>> deliveries;
};

Registry& registry()
{
    static Registry instance;
    return instance;
}

}  // namespace

void Attach(const std::shared_ptr<Delivery>& delivery)
{
    std::lock_guard lock(registry().mutex);
    registry().deliveries.push_back(delivery);
}

void Detach(const std::shared_ptr<Delivery>& delivery)
{
    auto& reg = registry();
    std::lock_guard lock(reg.mutex);
    reg.deliveries.erase(std::remove(reg.deliveries.begin(), reg.deliveries.end(), delivery),
                         reg.deliveries.end());
}

void Deliver(int sourceIndex, const std::vector<std::uint8_t>& bytes)
{
    std::vector<std::shared_ptr<Delivery>> targets;
    {
        std::lock_guard lock(registry().mutex);
        for (const auto& d : registry().deliveries) {
            if (d->sourceIndex == sourceIndex)
                targets.push_back(d);
        }
    }
    for (const auto& d : targets) {
        std::lock_guard call(d->callMutex);
        if (d->open && d->callback)
            d->callback(bytes);
    }
}

}  // namespace vemo::midi::detail
