#include "platform/win32/ansi_code_page.h"

#include <windows.h>

#include <climits>
#include <vector>

namespace sarnex::win32 {
namespace {

std::optional<std::wstring> Widen(UINT codePage, DWORD flags, std::string_view text) {
    if (text.empty()) return std::wstring();
    if (text.size() > INT_MAX) return std::nullopt;
    const int length = static_cast<int>(text.size());
    const int wide = MultiByteToWideChar(codePage, flags, text.data(), length, nullptr, 0);
    if (wide <= 0) return std::nullopt;
    std::wstring out(static_cast<std::size_t>(wide), L'\0');
    if (MultiByteToWideChar(codePage, flags, text.data(), length, out.data(), wide) != wide) return std::nullopt;
    return out;
}

}  // namespace

std::optional<std::string> AnsiCodePage::FromUtf8(std::string_view utf8) const {
    const auto wide = Widen(CP_UTF8, MB_ERR_INVALID_CHARS, utf8);
    if (!wide) return std::nullopt;
    if (wide->empty()) return std::string();
    const int length = static_cast<int>(wide->size());
    // At most two bytes a UTF-16 unit, on a double-byte code page.
    std::string codes(wide->size() * 2, '\0');
    BOOL usedDefault = FALSE;
    const int written = WideCharToMultiByte(codePage_, WC_NO_BEST_FIT_CHARS, wide->data(), length, codes.data(),
                                            static_cast<int>(codes.size()), nullptr, &usedDefault);
    if (written <= 0 || usedDefault) return std::nullopt;
    codes.resize(static_cast<std::size_t>(written));
    return codes;
}

std::string AnsiCodePage::ToUtf8(std::string_view codes) const {
    const auto wide = Widen(codePage_, 0, codes);
    if (!wide || wide->empty()) return std::string();
    const int length = static_cast<int>(wide->size());
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide->data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::string();
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide->data(), length, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

std::string AnsiCodePage::UpperCase(std::string_view utf8) const {
    // Text that is not valid UTF-8 has no characters to upper-case: it stays as it is.
    auto wide = Widen(CP_UTF8, MB_ERR_INVALID_CHARS, utf8);
    if (!wide || wide->empty()) return std::string(utf8);
    CharUpperBuffW(wide->data(), static_cast<DWORD>(wide->size()));
    const int length = static_cast<int>(wide->size());
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide->data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::string(utf8);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide->data(), length, out.data(), size, nullptr, nullptr);
    return out;
}

}  // namespace sarnex::win32
