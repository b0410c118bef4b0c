// Torvi: the system clock.
#include "nav/clock.h"

#include <cstdio>
#include <ctime>

namespace torvi {

LocalTime SystemClock::now() const
{
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &t);
#else
    localtime_r(&t, &tm);
#endif
    return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                     tm.tm_hour,        tm.tm_min,     tm.tm_sec};
}

std::string logDate(const LocalTime &t)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02d-%02d-%04d", t.day, t.month, t.year);
    return text;
}

std::string logTime(const LocalTime &t)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return text;
}

} // namespace torvi
