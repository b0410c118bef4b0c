// Torvi: the places for windows opened through newWebBrowser: at most seven per run.
#pragma once

#include <cstdint>
#include <optional>

namespace torvi {

// A 16-bit counter, only ever incremented, numbers the slots of an eight-slot table. Slot 0
// is never handed out, so a run gets slots 1 to 7; closing a window gives no place back.
class WindowSlots
{
public:
    static constexpr int SlotCount = 8;

    // The next slot, or nothing once the table is used up (or the counter would overflow).
    // The counter keeps its new value even when the slot is refused.
    std::optional<int> take();

private:
    std::int16_t m_counter = 0;
};

} // namespace torvi
