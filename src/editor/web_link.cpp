// The link to the product web page: the shell opens the address with its registered handler.
#include "editor/editor.h"
#include "editor/editor_design.h"
#include "platform/shell.h"

namespace sarnex::editor {

namespace {
constexpr std::int32_t kShowNormalActivated = 1;
}  // namespace

// Absent parameters and directory reach the shell as none (null pointers); the shell's result is
// not looked at, so an address nobody can open changes nothing in the editor.
void Editor::RunShellExecute(const std::string& sTopic, const std::string& sFile, const std::string* sParams,
                             const std::string* sDirectory, std::int32_t nShowCmd) {
    platform::ShellExecuteRequest request{.operation = sTopic, .file = sFile, .parameters = std::nullopt,
                                         .directory = std::nullopt, .showCommand = nShowCmd};
    if (sParams != nullptr) request.parameters = *sParams;
    if (sDirectory != nullptr) request.directory = *sDirectory;
    services_.shell.Execute(request);
}

void Editor::Label8_Click() { RunShellExecute("Open", kWebAddress, nullptr, nullptr, kShowNormalActivated); }

}  // namespace sarnex::editor
