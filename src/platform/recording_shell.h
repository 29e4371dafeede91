// A shell that performs nothing and keeps every request with its exact arguments, for tests.
#pragma once

#include <string>
#include <vector>

#include "platform/shell.h"

namespace sarnex::platform {

class RecordingShell final : public Shell {
public:
    struct RestartDialogCall {
        std::uint32_t owner;
        std::string prompt;
        std::uint32_t kind;
        friend bool operator==(const RestartDialogCall&, const RestartDialogCall&) = default;
    };
    struct StartProgramCall {
        std::string commandLine;
        std::int32_t windowStyle;
        friend bool operator==(const StartProgramCall&, const StartProgramCall&) = default;
    };

    void Execute(const ShellExecuteRequest& request) override { executed.push_back(request); }
    void RestartDialog(std::uint32_t owner, const std::string& prompt, std::uint32_t kind) override {
        restartDialogs.push_back({owner, prompt, kind});
    }
    void StartProgram(const std::string& commandLine, std::int32_t windowStyle) override {
        startedPrograms.push_back({commandLine, windowStyle});
    }

    std::string SystemDirectory() const override { return systemDirectory; }

    std::string systemDirectory = "C:\\Windows\\System32";
    std::vector<ShellExecuteRequest> executed;
    std::vector<RestartDialogCall> restartDialogs;
    std::vector<StartProgramCall> startedPrograms;
};

}  // namespace sarnex::platform
