// Torvi tests: a temporary home for tests that start the real engine.
#pragma once

#include "support/temp_home.h"

#include <filesystem>
#include <memory>
#include <vector>

namespace torvi::test {

// The engine's profile keeps its cache and cookies in the home and writes them until the
// engine shuts down with the application, after the test object is gone; removed earlier,
// the folder would be made anew. So the home is removed when the process ends.
class EngineHome
{
public:
    EngineHome() : m_home(std::make_unique<TempHome>()) {}
    ~EngineHome() { removedAtExit().push_back(std::move(m_home)); }
    EngineHome(const EngineHome &) = delete;
    EngineHome &operator=(const EngineHome &) = delete;

    const std::filesystem::path &path() const { return m_home->path(); }

private:
    // Destroyed after main() has returned, and with it the application and its engine.
    static std::vector<std::unique_ptr<TempHome>> &removedAtExit()
    {
        static std::vector<std::unique_ptr<TempHome>> homes;
        return homes;
    }

    std::unique_ptr<TempHome> m_home;
};

} // namespace torvi::test
