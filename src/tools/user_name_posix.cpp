// Torvi: the user name from the account database.
#include "tools/user_name.h"

#include <pwd.h>
#include <unistd.h>

namespace torvi {

std::string currentUserName()
{
    // Not $USER: the account database cannot be changed by the environment.
    if (const passwd *pw = ::getpwuid(::getuid()); pw && pw->pw_name)
        return pw->pw_name;
    return {};
}

} // namespace torvi
