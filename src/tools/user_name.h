// Torvi: the name of the user who is logged on, which names the user's temporary folder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace torvi {

// The account name (GetUserNameA on Windows, the account database elsewhere); empty when
// the system gives none.
std::string currentUserName();

// The name in a buffer that GetUserNameA filled: its first (length - 1) bytes, as the
// length counts the closing NUL; empty for a length below 1. Never reads past the buffer.
std::string userNameFromBuffer(std::string_view buffer, std::uint32_t length);

} // namespace torvi
