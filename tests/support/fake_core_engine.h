// Torvi tests: an engine instance that records what the hub asks of it.
#pragma once

#include "nav/engine.h"

#include <string>
#include <vector>

namespace torvi::test {

class RecordingEngine : public Engine
{
public:
    std::vector<std::string> calls; // "Navigate2 <url> <flags>", "GoBack", ...
    bool refuse = false;            // every call answers false
    bool canGoBack = false;
    bool canGoForward = false;
    std::string location;               // what LocationURL answers
    bool locationFollowsRequest = true; // LocationURL becomes the requested address

    bool Navigate2(const std::string &url, int flags) override
    {
        calls.push_back("Navigate2 " + url + " " + std::to_string(flags));
        if (refuse || url.empty())
            return false;
        if (locationFollowsRequest)
            location = url;
        return true;
    }
    bool GoBack() override
    {
        calls.emplace_back("GoBack");
        return !refuse && canGoBack;
    }
    bool GoForward() override
    {
        calls.emplace_back("GoForward");
        return !refuse && canGoForward;
    }
    bool Refresh2() override
    {
        calls.emplace_back("Refresh2");
        return !refuse;
    }
    std::string LocationURL() const override { return location; }
};

class PlainAddressBox : public AddressBox
{
public:
    std::string text;
    std::string addressText() const override { return text; }
};

} // namespace torvi::test
