// Torvi: windows.h for the Windows sources, and the text conversions they share. Only
// _win.cpp files include it, after the program's own headers.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// windows.h makes DeleteFile a macro, which would rename FileSystem::DeleteFile.
#undef DeleteFile

#include <climits>
#include <string>
#include <string_view>

namespace torvi::win {

// Text in one code page to UTF-16. Bytes the code page cannot read become U+FFFD.
inline std::wstring toWide(std::string_view text, UINT codePage)
{
    if (text.empty() || text.size() > INT_MAX)
        return {};
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

// UTF-16 to one code page. Characters the code page lacks become its default character.
inline std::string fromWide(std::wstring_view wide, UINT codePage)
{
    if (wide.empty() || wide.size() > INT_MAX)
        return {};
    const int size = static_cast<int>(wide.size());
    const int length =
        ::WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(codePage, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

} // namespace torvi::win
