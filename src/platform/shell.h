// The shell operations the program asks of the operating system: open a document or address,
// the system's restart dialog, and starting a program.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace sarnex::platform {

struct ShellExecuteRequest {
    std::string operation;                 // e.g. "Open"
    std::string file;                      // document, program or address
    std::optional<std::string> parameters; // none passes a null pointer
    std::optional<std::string> directory;  // none passes a null pointer
    std::int32_t showCommand = 1;
    friend bool operator==(const ShellExecuteRequest&, const ShellExecuteRequest&) = default;
};

class Shell {
public:
    virtual ~Shell() = default;
    // ShellExecuteA with the desktop window as owner; the result is not used.
    virtual void Execute(const ShellExecuteRequest& request) = 0;
    // The shell's restart dialog (exported by ordinal 59): modal, carries out the restart itself.
    virtual void RestartDialog(std::uint32_t owner, const std::string& prompt, std::uint32_t kind) = 0;
    // Starts a program from its command line with the given window style and does not wait for it.
    virtual void StartProgram(const std::string& commandLine, std::int32_t windowStyle) = 0;
    // The Windows system directory, so system programs are started by their full path.
    virtual std::string SystemDirectory() const = 0;
};

}  // namespace sarnex::platform
