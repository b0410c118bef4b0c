// Torvi fuzz target: the navigation log's kept-lines rule and its address escaping.
#include "fuzz_check.h"
#include "history/navigation_log.h"
#include "nav/text_file.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

using namespace torvi;
using torvi::fuzz::require;

namespace {

// The code point of the UTF-8 sequence at the start of text and its length, or nothing
// when the bytes are not well-formed UTF-8. Written apart from the log's own decoder, so the
// two cannot share a mistake.
std::optional<std::pair<char32_t, std::size_t>> decodeUtf8(std::string_view text)
{
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    std::size_t length = 0;
    if (b(0) <= 0x7F)
        return std::pair<char32_t, std::size_t>{b(0), 1};
    if (b(0) >= 0xC2 && b(0) <= 0xDF)
        length = 2;
    else if (b(0) >= 0xE0 && b(0) <= 0xEF)
        length = 3;
    else if (b(0) >= 0xF0 && b(0) <= 0xF4)
        length = 4;
    else
        return std::nullopt;
    if (text.size() < length)
        return std::nullopt;
    // The second byte's range rules out overlong forms, surrogates and code points past
    // U+10FFFF (RFC 3629, section 4).
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (b(0) == 0xE0)
        low = 0xA0;
    else if (b(0) == 0xED)
        high = 0x9F;
    else if (b(0) == 0xF0)
        low = 0x90;
    else if (b(0) == 0xF4)
        high = 0x8F;
    if (b(1) < low || b(1) > high)
        return std::nullopt;
    char32_t c = b(0) & (length == 2 ? 0x1Fu : length == 3 ? 0x0Fu : 0x07u);
    for (std::size_t i = 1; i < length; ++i) {
        if ((b(i) & 0xC0) != 0x80)
            return std::nullopt;
        c = (c << 6) | (b(i) & 0x3Fu);
    }
    return std::pair<char32_t, std::size_t>{c, length};
}

bool xmlChar(char32_t c)
{
    return c == '\t' || c == '\n' || c == '\r' || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// The escaped text as a parser reads it back, checking on the way that it is well-formed
// character data of one line: valid UTF-8, only XML characters, no raw line end, no raw
// '<', every '&' a known reference, no "]]>".
std::string readBack(std::string_view escaped)
{
    require(escaped.find("]]>") == std::string_view::npos, "no ]]> in character data");
    std::string text;
    while (!escaped.empty()) {
        const auto decoded = decodeUtf8(escaped);
        require(decoded.has_value(), "the escaped address is valid UTF-8");
        const auto [c, length] = *decoded;
        require(xmlChar(c), "only characters XML 1.0 allows");
        require(c != '<', "no raw '<'");
        require(c != '\r' && c != '\n', "no raw line end");
        if (c == '&') {
            bool known = false;
            for (const auto &[reference, meaning] :
                 {std::pair<std::string_view, std::string_view>{"&amp;", "&"},
                  {"&lt;", "<"},
                  {"&gt;", ">"},
                  {"&#13;", "\r"},
                  {"&#10;", "\n"}}) {
                if (escaped.starts_with(reference)) {
                    text += meaning;
                    escaped.remove_prefix(reference.size());
                    known = true;
                    break;
                }
            }
            require(known, "every '&' starts a known reference");
            continue;
        }
        text.append(escaped.substr(0, length));
        escaped.remove_prefix(length);
    }
    return text;
}

// Whether the address is UTF-8 made only of characters the log can carry as they are.
bool carriedWhole(std::string_view address)
{
    while (!address.empty()) {
        const auto decoded = decodeUtf8(address);
        if (!decoded || !xmlChar(decoded->first))
            return false;
        address.remove_prefix(decoded->second);
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view content{reinterpret_cast<const char *>(data), size};

    // The kept lines are the file's lines up to the first "</history>" line.
    const auto all = splitLines(content);
    const auto kept = keptLogLines(content);
    require(kept.size() <= all.size(), "no more lines kept than the file has");
    for (std::size_t i = 0; i < kept.size(); ++i) {
        require(kept[i] == all[i], "kept lines are the file's lines, byte for byte");
        require(kept[i] != "</history>", "no closing tag among the kept lines");
    }
    if (kept.size() < all.size())
        require(all[kept.size()] == "</history>", "keeping stops only at a closing tag");

    // The whole input as an address: well-formed, and read back as it was whenever the log
    // can carry it as it is.
    const std::string escaped = escapeLogAddress(content);
    const std::string back = readBack(escaped);
    if (carriedWhole(content))
        require(back == content, "an address the log can carry reads back unchanged");

    const std::string record = logRecord(content, LocalTime{2026, 12, 6, 10, 0, 0}, true);
    require(splitLines(record).size() == 5 && record.ends_with("\r\n"),
            "a record is five lines, each ended by CR LF");
    return 0;
}
