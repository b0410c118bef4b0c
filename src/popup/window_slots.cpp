// Torvi: the new-window slots.
#include "popup/window_slots.h"

#include <limits>

namespace torvi {

std::optional<int> WindowSlots::take()
{
    if (m_counter == std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    ++m_counter;
    if (m_counter < 0 || m_counter >= SlotCount)
        return std::nullopt;
    return m_counter;
}

} // namespace torvi
