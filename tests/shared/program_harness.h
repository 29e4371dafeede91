// A fresh program, wired as sarnexcfg.exe wires it, over a host and its user driver (headless, or real
// windows), the in-memory registry, a fixed code page, the recording shell and system facts a test sets.
// Both hosts' tests start from one of these, and so from the states the program itself produces.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "editor/editor.h"
#include "platform/forms/forms_runtime.h"
#include "shared/stored_values.h"
#include "shared/user_driver.h"
#include "startup/program.h"
#include "support/fixed_code_page.h"
#include "support/fixed_system_facts.h"
#include "support/memory_registry.h"
#include "support/recording_shell.h"

namespace sarnex::testing {

template <class Host, class Driver>
class ProgramHarness {
    static Driver MakeDriver(Host& host) {  // one that sends window messages needs the host's windows
        if constexpr (std::is_constructible_v<Driver, Host&>) return Driver(host);
        else return Driver();
    }

public:
    // The key holds `values`; std::nullopt: there is no key at all. The ANSI code page is Western
    // unless a test gives another; `hostArguments` go to the host.
    template <class... HostArguments>
    explicit ProgramHarness(const std::optional<StoredValues>& values = TypicalRecord(), unsigned codePageId = 1252,
                            HostArguments&&... hostArguments)
        : host(std::forward<HostArguments>(hostArguments)...), registry(FixedCodePage(codePageId)), codePage(codePageId) {
        // The typical record's images: one to load, and room for the one to save, so its saves ask nothing.
        facts.AddFile("C:\\disk.img", kMegabyte);
        facts.AddFolder("C:\\", 4096 * kMegabyte);
        if (values) StoreKey(registry, *values);
    }

    // Starts the program with a command word, as sarnexcfg.exe does, and returns its editor.
    editor::Editor& Start(const std::string& word = "") {
        program.Start(word);
        return program.Editor();
    }
    editor::Editor& Editor() { return program.Editor(); }

    template <class F>
    F* Window() const { return runtime.template ExistingInstance<F>(); }
    template <class F>
    bool IsLoaded() const { return Window<F>() != nullptr && Window<F>()->Loaded(); }

    std::optional<StoredValue> Stored(std::string_view name) const {
        const auto value = registry.GetValue(kKey, name);
        if (!value) return std::nullopt;
        return StoredValue{value->type, std::string(reinterpret_cast<const char*>(value->data.data()), value->data.size())};
    }
    // The registry operations of one kind since the last ClearOperations, as "target:status".
    std::vector<std::string> Operations(RegistryOperation::Kind kind) const {
        std::vector<std::string> out;
        for (const auto& op : registry.Operations())
            if (op.kind == kind) out.push_back(op.target + ":" + std::to_string(op.status));
        return out;
    }
    std::vector<std::string> Sets() const { return Operations(RegistryOperation::Kind::Set); }
    // Every value of the key as the registry keeps it, by name.
    std::vector<platform::StoredValue> Kept() const {
        std::vector<platform::StoredValue> values;
        for (const std::string& name : kWritingOrder)
            if (auto value = registry.GetStored(kKey, name)) values.push_back(*value);
        return values;
    }

    Host host;
    forms::FormsRuntime runtime{host};
    MemoryRegistry registry;
    FixedCodePage codePage;
    RecordingShell shell;
    FixedSystemFacts facts;
    startup::Program program{runtime, {registry, codePage, facts, {1, 0, 41}}, shell};
    Driver user = MakeDriver(host);
};

}  // namespace sarnex::testing
