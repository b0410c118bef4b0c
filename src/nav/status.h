// Torvi: a small success-or-error result for core routines that must not throw.
#pragma once

#include <string>
#include <utility>

namespace torvi {

// Says whether a routine did its work, and if not, what failed and where.
class [[nodiscard]] Status
{
public:
    static Status ok() { return Status{}; }
    static Status failure(std::string what) { return Status{std::move(what)}; }

    bool isOk() const { return m_error.empty(); }
    explicit operator bool() const { return isOk(); }
    const std::string &error() const { return m_error; }

private:
    Status() = default;
    explicit Status(std::string what) : m_error(std::move(what))
    {
        if (m_error.empty())
            m_error = "unknown error";
    }
    std::string m_error;
};

} // namespace torvi
