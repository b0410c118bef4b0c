// Torvi: the system clock as the log and the history see it.
#pragma once

#include <string>

namespace torvi {

struct LocalTime
{
    int year = 1970;
    int month = 1; // 1..12
    int day = 1;   // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The local clock; a test hands in a fixed one.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual LocalTime now() const = 0;
};

class SystemClock final : public Clock
{
public:
    LocalTime now() const override;
};

// "dd-mm-yyyy" and "hh:mm:ss", the forms of the navigation log.
std::string logDate(const LocalTime &t);
std::string logTime(const LocalTime &t);

} // namespace torvi
