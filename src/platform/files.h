// Whole files by name: the .reg files the companion tool writes and reads. Names are UTF-8, so
// every name Windows can hold works.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace sarnex::platform {

class Files {
public:
    virtual ~Files() = default;
    // Each returns what went wrong, in the system's words, or nothing on success.
    virtual std::optional<std::string> Read(const std::string& path, std::vector<std::byte>& contents) = 0;
    // Replaces the file's contents, creating it when needed.
    virtual std::optional<std::string> Write(const std::string& path, std::span<const std::byte> contents) = 0;
};

}  // namespace sarnex::platform
