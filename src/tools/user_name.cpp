// Torvi: reading the user name out of the system's buffer.
#include "tools/user_name.h"

#include <algorithm>

namespace torvi {

std::string userNameFromBuffer(std::string_view buffer, std::uint32_t length)
{
    if (length < 1)
        return {};
    // A buffer too small makes the call answer the length it needed, beyond the buffer.
    return std::string{buffer.substr(0, std::min<std::size_t>(length - 1, buffer.size()))};
}

} // namespace torvi
