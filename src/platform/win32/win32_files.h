// Files through the wide Windows calls, so that any file name works.
#pragma once

#include "platform/files.h"

namespace sarnex::win32 {

class Win32Files final : public platform::Files {
public:
    std::optional<std::string> Read(const std::string& path, std::vector<std::byte>& contents) override;
    std::optional<std::string> Write(const std::string& path, std::span<const std::byte> contents) override;
};

}  // namespace sarnex::win32
