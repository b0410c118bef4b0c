// Torvi: what the navigation hub asks of an engine instance.
#pragma once

#include <string>

namespace torvi {

// The members of an engine instance that the hub drives. Each call answers false
// when the engine refuses it (an empty address, no earlier page to go back to);
// the hub's callers treat that as the silent end of the request.
class Engine
{
public:
    // Flag 2: the new page replaces the current entry of the back/forward list.
    static constexpr int navNoHistory = 2;

    virtual ~Engine() = default;
    virtual bool Navigate2(const std::string &url, int flags) = 0;
    virtual bool GoBack() = 0;
    virtual bool GoForward() = 0;
    virtual bool Refresh2() = 0;
    virtual std::string LocationURL() const = 0;
    // Stops the current load; an engine that cannot stop answers false.
    virtual bool Stop() { return false; }
};

// The address box handed to the hub together with its engine. The hub does not read it;
// it travels with the engine so that every request names the pair it belongs to.
class AddressBox
{
public:
    virtual ~AddressBox() = default;
    virtual std::string addressText() const = 0;
};

} // namespace torvi
