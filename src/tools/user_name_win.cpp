// Torvi: the user name from GetUserNameA.
#include "tools/user_name.h"

#include "nav/text_file.h"

#include "nav/win32_api.h"

namespace torvi {

std::string currentUserName()
{
    std::string buffer(256, ' ');
    DWORD length = 256;
    // The result is not looked at: on failure the length decides, as on success.
    static_cast<void>(::GetUserNameA(buffer.data(), &length));
    // Cut by bytes before converting: the length counts the ANSI buffer's bytes.
    return fromSystemText(userNameFromBuffer(buffer, static_cast<std::uint32_t>(length)));
}

} // namespace torvi
