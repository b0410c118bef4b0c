// Torvi fuzz target: the one-pass threat check must answer exactly as the search per keyword.
#include "fuzz_check.h"
#include "threats/threat_scanner.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace torvi;
using torvi::fuzz::require;

namespace {

const ThreatScanner &scanner()
{
    static const ThreatScanner filled = [] {
        ThreatScanner s;
        s.InitDanger();
        return s;
    }();
    return filled;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Bytes up to the first NUL label the lines as the address; the rest is the page.
    const std::string_view input{reinterpret_cast<const char *>(data), size};
    const auto cut = input.find('\0');
    const std::string_view address = cut == std::string_view::npos
                                         ? std::string_view{"http://a.example/"}
                                         : input.substr(0, cut);
    const std::string_view page = cut == std::string_view::npos ? input : input.substr(cut + 1);

    const auto onePass = scanner().CheckDanger(page, address);
    const auto plain = scanner().checkDangerPlain(page, address);
    require(onePass.clean == plain.clean, "both checks give the same verdict");
    require(onePass.lines == plain.lines, "both checks give the same lines");
    require(onePass.clean == onePass.lines.empty(), "a page is clean exactly when no line");
    return 0;
}
