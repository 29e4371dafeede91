// The whole program as the Windows entry point wires it, over the headless host, the in-memory
// registry and the recording shell, so tests start it with a command word and act as the user.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/editor.h"
#include "notices/registry_notices.h"
#include "notices/restart_prompt.h"
#include "support/code_page_1252.h"
#include "platform/forms/forms_runtime.h"
#include "platform/headless/headless_host.h"
#include "support/memory_registry.h"
#include "support/recording_shell.h"
#include "shared/user_driver.h"
#include "startup/program.h"

namespace sarnex::testing {

inline constexpr std::string_view kKey = "Software\\Sarnex";

// A REG_SZ value as the driver's installer and this program store it: the text and its terminator.
inline void PutStoredText(testing::MemoryRegistry& registry, std::string_view name, std::string_view text) {
    registry.PutText(kKey, name, std::string(text) + '\0');
}

// A consistent record, as a save of the editor leaves it, for the main loading path.
struct StoredRecord {
    std::string DiskType = "HDC";
    std::int32_t LoadImageOnStart = 0;
    std::string LoadImageFile = "C:\\disk.img";
    std::int32_t SaveImageOnExit = 1;
    std::string SaveImageFile = "C:\\save.img";
    std::int32_t SizeIn4kPages = 16384;  // 64 MB
    std::int32_t AutoSaveEnabled = 1;
    std::int32_t DiskFormatFAT32 = 1;
    std::int32_t AutoSaveTrigger = 15;            // 60 s
    std::int32_t UserDriveLetter = 0x01000000 + 18;  // "S", chosen by the user
    std::int32_t MakeTempDir = 1;
    std::int32_t UseDiskLabel = 1;
    std::string DiskLabel = "RAMDISK";

    void StoreIn(testing::MemoryRegistry& registry) const {
        PutStoredText(registry, "DiskType", DiskType);
        registry.PutNumber(kKey, "LoadImageOnStart", LoadImageOnStart);
        PutStoredText(registry, "LoadImageFile", LoadImageFile);
        registry.PutNumber(kKey, "SaveImageOnExit", SaveImageOnExit);
        PutStoredText(registry, "SaveImageFile", SaveImageFile);
        registry.PutNumber(kKey, "SizeIn4kPages", SizeIn4kPages);
        registry.PutNumber(kKey, "AutoSaveEnabled", AutoSaveEnabled);
        registry.PutNumber(kKey, "DiskFormatFAT32", DiskFormatFAT32);
        registry.PutNumber(kKey, "AutoSaveTrigger", AutoSaveTrigger);
        registry.PutNumber(kKey, "UserDriveLetter", UserDriveLetter);
        registry.PutNumber(kKey, "MakeTempDir", MakeTempDir);
        registry.PutNumber(kKey, "UseDiskLabel", UseDiskLabel);
        PutStoredText(registry, "DiskLabel", DiskLabel);
    }
};

inline const std::vector<std::string>& ValueNamesInWritingOrder() {
    static const std::vector<std::string> names = {
        "DiskType",        "LoadImageOnStart", "LoadImageFile",   "SaveImageOnExit", "SaveImageFile",
        "SizeIn4kPages",   "AutoSaveEnabled",  "DiskFormatFAT32", "AutoSaveTrigger", "UserDriveLetter",
        "MakeTempDir",     "UseDiskLabel",     "DiskLabel"};
    return names;
}

inline const std::vector<std::string>& ValueNamesInLoadingOrder() {
    static const std::vector<std::string> names = {
        "DiskType",        "LoadImageOnStart", "LoadImageFile",   "SaveImageOnExit", "SaveImageFile",
        "SizeIn4kPages",   "DiskFormatFAT32",  "AutoSaveEnabled", "AutoSaveTrigger", "UserDriveLetter",
        "MakeTempDir",     "DiskLabel",        "UseDiskLabel"};
    return names;
}

// Every property of every control that code or the user can change, one line per control, so
// that a whole window can be compared before and after an action.
inline std::vector<std::string> ControlStates(const forms::Form& form) {
    std::vector<std::string> states;
    for (const auto& control : form.Controls()) {
        std::string line = control->Name() + (control->Enabled() ? " on" : " off");
        if (auto* label = dynamic_cast<const forms::Label*>(control.get())) line += " [" + label->Caption() + "]";
        if (auto* box = dynamic_cast<const forms::TextBox*>(control.get())) line += " [" + box->Text() + "]";
        if (auto* check = dynamic_cast<const forms::CheckBox*>(control.get()))
            line += " " + std::to_string(check->Value());
        if (auto* bar = dynamic_cast<const forms::VScrollBar*>(control.get()))
            line += " " + std::to_string(bar->Value());
        if (auto* combo = dynamic_cast<const forms::ComboBox*>(control.get()))
            line += " " + std::to_string(combo->ListIndex()) + " [" + combo->Text() + "]";
        states.push_back(line);
    }
    return states;
}

class ProgramTest : public ::testing::Test {
protected:
    ProgramTest() { registry.AddKey(kKey); }

    void Start(const std::string& command = "") { program.Start(command); }

    editor::Editor& Editor() { return program.Editor(); }
    template <class F>
    F* Window() const {
        return runtime.ExistingInstance<F>();
    }
    template <class F>
    bool IsLoaded() const {
        const F* form = Window<F>();
        return form != nullptr && form->Loaded();
    }

    // The registry operations of one kind, as "name:status".
    std::vector<std::string> Operations(testing::RegistryOperation::Kind kind) const {
        std::vector<std::string> out;
        for (const auto& op : registry.Operations())
            if (op.kind == kind) out.push_back(op.target + ":" + std::to_string(op.status));
        return out;
    }
    std::vector<std::string> SetsMade() const { return Operations(testing::RegistryOperation::Kind::Set); }

    std::vector<std::byte> Raw(std::string_view name) const {
        const auto value = registry.GetValue(kKey, name);
        return value ? value->data : std::vector<std::byte>{};
    }
    std::uint32_t RawType(std::string_view name) const {
        const auto value = registry.GetValue(kKey, name);
        return value ? value->type : 0xFFFFFFFFu;
    }
    std::int32_t StoredNumber(std::string_view name) const {
        const auto bytes = Raw(name);
        EXPECT_EQ(bytes.size(), 4u) << name;
        EXPECT_EQ(RawType(name), 4u) << name;
        if (bytes.size() != 4) return -12345;
        std::uint32_t bits = 0;
        for (int i = 3; i >= 0; --i) bits = (bits << 8) | std::to_integer<std::uint32_t>(bytes[static_cast<std::size_t>(i)]);
        return static_cast<std::int32_t>(bits);
    }
    // A text value's bytes as a string, terminator included.
    std::string StoredText(std::string_view name) const {
        const auto bytes = Raw(name);
        EXPECT_EQ(RawType(name), 1u) << name;
        std::string out;
        for (std::byte b : bytes) out.push_back(static_cast<char>(b));
        return out;
    }

    headless::HeadlessHost host;
    forms::FormsRuntime runtime{host};
    testing::MemoryRegistry registry;
    testing::CodePage1252 codePage;
    testing::RecordingShell shell;
    startup::Program program{runtime, startup::Services{registry, codePage, shell, platform::ProgramVersion{1, 0, 41}}};
    HeadlessDriver user;
};

}  // namespace sarnex::testing
