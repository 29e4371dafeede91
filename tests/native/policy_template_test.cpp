// The Group Policy template (policy/sarnex.admx and en-US/sarnex.adml): well-formed, every reference
// resolved, its values and ranges those of the settings table, and each policy, applied as Group Policy
// applies it, read back by sarnexctl show as the setting chosen.
#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "config/registry_record.h"
#include "config/value_conversions.h"
#include "config/value_layout.h"
#include "ctl/run.h"
#include "editor/editor_design.h"
#include "editor/limits.h"
#include "platform/code_page_utf8.h"
#include "shared/stored_values.h"
#include "support/fixed_code_page.h"
#include "support/fixed_system_facts.h"
#include "support/memory_registry.h"

namespace sarnex::testing {
namespace {

using tinyxml2::XMLElement;

// The children of `parent` named `name` (all of them for nullptr).
std::vector<const XMLElement*> Children(const XMLElement* parent, const char* name = nullptr) {
    std::vector<const XMLElement*> found;
    for (auto* e = parent ? parent->FirstChildElement(name) : nullptr; e; e = e->NextSiblingElement(name)) found.push_back(e);
    return found;
}
std::string Attribute(const XMLElement* e, const char* name) { return e->Attribute(name) ? e->Attribute(name) : ""; }
// "$(string.X)" -> "X"
std::string Reference(const std::string& text, const std::string& table) {
    const std::string prefix = "$(" + table + ".";
    return text.starts_with(prefix) && text.ends_with(")") ? text.substr(prefix.size(), text.size() - prefix.size() - 1) : "";
}

// A value a policy writes: a REG_DWORD, a REG_SZ, or none (a choice left out).
struct Written {
    std::uint32_t type = 0;
    std::string text;  // the number in decimal for a REG_DWORD
    friend bool operator==(const Written&, const Written&) = default;
};
Written ValueOf(const XMLElement* value) {  // <value>, <enabledValue>, ...: <decimal value=".."/> or <string>
    if (auto* d = value->FirstChildElement("decimal")) return {config::kNumberType, Attribute(d, "value")};
    auto* s = value->FirstChildElement("string");
    return {config::kTextType, s && s->GetText() ? s->GetText() : ""};
}

class PolicyTemplate : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(admxFile.LoadFile(SARNEX_POLICY_DIR "/sarnex.admx"), tinyxml2::XML_SUCCESS) << admxFile.ErrorStr();
        ASSERT_EQ(admlFile.LoadFile(SARNEX_POLICY_DIR "/en-US/sarnex.adml"), tinyxml2::XML_SUCCESS) << admlFile.ErrorStr();
        admx = admxFile.RootElement();
        auto* resources = admlFile.RootElement()->FirstChildElement("resources");
        for (auto* s : Children(resources->FirstChildElement("stringTable"), "string"))
            strings[Attribute(s, "id")] = s->GetText() ? s->GetText() : "";
        for (auto* p : Children(resources->FirstChildElement("presentationTable"), "presentation"))
            presentations[Attribute(p, "id")] = p;
        policies = Children(admx->FirstChildElement("policies"), "policy");
    }
    // A policy's writes when Enabled with `choices` (element id -> an enum item's text, or the value) or
    // Disabled, in the order Group Policy writes them.
    std::map<std::string, Written> Apply(const XMLElement* policy, bool enabled,
                                         const std::map<std::string, std::string>& choices = {}) const {
        std::map<std::string, Written> writes;
        const std::string state = enabled ? "enabled" : "disabled";
        if (auto* value = policy->FirstChildElement((state + "Value").c_str()))
            writes[Attribute(policy, "valueName")] = ValueOf(value);
        for (auto* item : Children(policy->FirstChildElement((state + "List").c_str()), "item"))
            writes[Attribute(item, "valueName")] = ValueOf(item->FirstChildElement("value"));
        if (!enabled) return writes;
        for (auto* e : Children(policy->FirstChildElement("elements"))) {
            const std::string kind = e->Name(), chosen = choices.at(Attribute(e, "id"));
            Written& w = writes[Attribute(e, "valueName")];
            if (kind == "decimal") w = {config::kNumberType, chosen};
            if (kind == "text") w = {config::kTextType, chosen};
            for (auto* item : Children(e, "item"))
                if (strings.at(Reference(Attribute(item, "displayName"), "string")) == chosen)
                    w = ValueOf(item->FirstChildElement("value"));
        }
        return writes;
    }

    tinyxml2::XMLDocument admxFile, admlFile;
    const XMLElement* admx = nullptr;
    std::map<std::string, std::string> strings;
    std::map<std::string, const XMLElement*> presentations;
    std::vector<const XMLElement*> policies;
};

TEST_F(PolicyTemplate, EveryStringPresentationElementAndCategoryReferenceResolves) {
    std::set<std::string> categories, supported;
    for (auto* c : Children(admx->FirstChildElement("categories"), "category")) categories.insert(Attribute(c, "name"));
    for (auto* d : Children(admx->FirstChildElement("supportedOn")->FirstChildElement("definitions")))
        supported.insert(Attribute(d, "name"));
    // Every attribute that names a string, anywhere in the .admx.
    std::vector<const XMLElement*> all{admx};
    for (std::size_t i = 0; i < all.size(); ++i)
        for (auto* child : Children(all[i])) all.push_back(child);
    for (const XMLElement* e : all)
        for (auto* a = e->FirstAttribute(); a; a = a->Next())
            if (std::string(a->Value()).starts_with("$(string.")) {
                EXPECT_TRUE(strings.contains(Reference(a->Value(), "string"))) << a->Value();
            }
    ASSERT_EQ(policies.size(), 9u);
    for (const XMLElement* policy : policies) {
        const std::string name = Attribute(policy, "name");
        EXPECT_TRUE(categories.contains(Attribute(policy->FirstChildElement("parentCategory"), "ref"))) << name;
        EXPECT_TRUE(supported.contains(Attribute(policy->FirstChildElement("supportedOn"), "ref"))) << name;
        std::set<std::string> elements, shown;
        for (auto* e : Children(policy->FirstChildElement("elements"))) elements.insert(Attribute(e, "id"));
        const std::string presentation = Reference(Attribute(policy, "presentation"), "presentation");
        if (!presentation.empty()) {
            ASSERT_TRUE(presentations.contains(presentation)) << name;
            for (auto* p : Children(presentations.at(presentation))) shown.insert(Attribute(p, "refId"));
        }
        EXPECT_EQ(shown, elements) << name << ": each element shown once, and only those";
    }
}

TEST_F(PolicyTemplate, PoliciesWriteTheThirteenValuesOfTheSettingsKeyInTheDriversEncoding) {
    std::map<std::string, std::uint32_t> types;
    std::map<std::string, const XMLElement*> elements;
    for (const XMLElement* policy : policies) {
        EXPECT_EQ(Attribute(policy, "class"), "Machine");
        EXPECT_EQ(Attribute(policy, "key"), config::kDriverKey);
        std::map<std::string, std::string> choices;
        for (auto* e : Children(policy->FirstChildElement("elements"))) {
            elements[Attribute(e, "valueName")] = e;
            const auto items = Children(e, "item");
            choices[Attribute(e, "id")] = items.empty() ? Attribute(e, "minValue")
                                                        : strings[Reference(Attribute(items[0], "displayName"), "string")];
        }
        for (const bool enabled : {true, false})
            for (const auto& [name, written] : Apply(policy, enabled, choices)) types[name] = written.type;
    }
    std::map<std::string, std::uint32_t> layout;
    for (const config::ValueId id : config::kWritingOrder) layout[std::string(config::ValueName(id))] = config::LayoutOf(id).type;
    EXPECT_EQ(types, layout);

    using Range = std::pair<long long, long long>;
    const auto range = [&](const char* name) {
        return Range(std::stoll(Attribute(elements.at(name), "minValue")), std::stoll(Attribute(elements.at(name), "maxValue")));
    };
    EXPECT_EQ(range("SizeIn4kPages"),
              Range(*config::PagesFromMegabytes(editor::kSmallestDiskSize), *config::PagesFromMegabytes(editor::kLargestDiskSize)));
    EXPECT_EQ(range("AutoSaveTrigger"), Range(*config::TriggerFromSeconds(editor::kShortestAutoSaveInterval),
                                              *config::TriggerFromSeconds(editor::kLongestAutoSaveInterval)));
    // Disabled: no letter chosen, the lowest one shown, as the editor starts.
    const auto policy = std::find_if(policies.begin(), policies.end(), [](auto* p) { return Attribute(p, "name") == "DriveLetter"; });
    FixedCodePage codePage;
    EXPECT_EQ(Apply(*policy, false).at("UserDriveLetter").text,
              std::to_string(*config::StoredFromDriveLetter(0, std::string(1, editor::kLowestDriveLetter), codePage)));
    EXPECT_EQ(Attribute(elements.at("DiskLabel"), "maxLength"),
              std::to_string(editor::EditorDesign().Control("volumeLabelBox").maxLength));
}

// Files none: show reads no file.
struct NoFiles final : platform::Files {
    std::optional<std::string> Read(const std::string&, std::vector<std::byte>&) override { return "none"; }
    std::optional<std::string> Write(const std::string&, std::span<const std::byte>) override { return "none"; }
};

TEST_F(PolicyTemplate, EachPolicyAppliedIsReadBackByShowAsTheSettingChosen) {
    struct Case {
        std::string policy;
        bool enabled;
        std::map<std::string, std::string> choices;
        std::map<std::string, std::string> shown;  // setting -> as show names it
    };
    std::vector<Case> cases = {
        {"DiskType", true, {{"DiskType", "Hard disk"}}, {{"type", "hard"}}},
        {"DiskType", true, {{"DiskType", "1.44 MB floppy disk"}}, {{"type", "floppy1.44"}}},
        {"DiskType", true, {{"DiskType", "2.88 MB floppy disk"}}, {{"type", "floppy2.88"}}},
        {"DiskSize", true, {{"SizeIn4kPages", "1280"}}, {{"size", "5"}}},
        {"DiskSize", true, {{"SizeIn4kPages", "524288"}}, {{"size", "2048"}}},
        {"DriveLetter", false, {}, {{"letter", "auto"}}},
        {"Fat32", true, {}, {{"fat32", "on"}}},
        {"Fat32", false, {}, {{"fat32", "off"}}},
        {"LoadImage", true, {{"LoadImageFile", "D:\\My Images\\in.img"}}, {{"load-image", "on"}, {"load-file", "D:\\My Images\\in.img"}}},
        {"LoadImage", false, {}, {{"load-image", "off"}}},
        {"SaveImage", true, {{"SaveImageFile", "D:\\out.img"}}, {{"save-image", "on"}, {"save-file", "D:\\out.img"}}},
        {"SaveImage", false, {}, {{"save-image", "off"}}},
        {"AutoSave", true, {{"AutoSaveTrigger", "5"}}, {{"autosave", "20"}}},
        {"AutoSave", true, {{"AutoSaveTrigger", "900"}}, {{"autosave", "3600"}}},
        {"AutoSave", false, {}, {{"autosave", "off"}}},
        {"TempDir", true, {}, {{"temp-dir", "on"}}},
        {"TempDir", false, {}, {{"temp-dir", "off"}}},
        {"VolumeLabel", true, {{"DiskLabel", "My Disk"}}, {{"label", "My Disk"}}},
        {"VolumeLabel", false, {}, {{"label", "off"}}},
    };
    for (char c = 'D'; c <= 'Z'; ++c)
        cases.push_back({"DriveLetter", true, {{"UserDriveLetter", std::string(1, c) + ":"}}, {{"letter", std::string(1, c)}}});
    // Enabled from every option off, Disabled from every option on.
    const StoredValues off = With(TypicalRecord(), {{"DiskFormatFAT32", Number(0)}, {"SaveImageOnExit", Number(0)},
                                                    {"AutoSaveEnabled", Number(0)}, {"MakeTempDir", Number(0)},
                                                    {"UseDiskLabel", Number(0)}, {"UserDriveLetter", Number(3)}});
    // The explain texts' rules: an image to load needs no TEMP directory or label, and AutoSave saves the image.
    std::map<std::string, StoredValues> on = {
        {"LoadImage", {{"LoadImageOnStart", Number(1)}, {"MakeTempDir", Number(0)}, {"UseDiskLabel", Number(0)}}},
        {"SaveImage", {{"AutoSaveEnabled", Number(0)}}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.policy + (c.enabled ? " enabled" : " disabled"));
        const auto policy = std::find_if(policies.begin(), policies.end(),
                                         [&](const XMLElement* p) { return Attribute(p, "name") == c.policy; });
        ASSERT_NE(policy, policies.end());
        MemoryRegistry registry;
        StoreKey(registry, c.enabled ? off : With(TypicalRecord(), on[c.policy]));
        for (const auto& [name, w] : Apply(*policy, c.enabled, c.choices)) {
            platform::StoredValue value{name, w.type, {}};
            value.data = w.type == config::kTextType ? platform::Utf16LeBytes(platform::Utf16FromUtf8(w.text) + u'\0')
                                                     : std::vector<std::byte>();
            const auto number = static_cast<std::uint32_t>(w.type == config::kNumberType ? std::stoul(w.text) : 0);
            for (int i = 0; w.type == config::kNumberType && i < 4; ++i) value.data.push_back(std::byte((number >> (8 * i)) & 0xFF));
            registry.PutStored(kKey, value);
        }
        FixedCodePage codePage;
        NoFiles files;
        FixedSystemFacts facts;
        const ctl::Outcome shown = ctl::Run({"show", "--json"}, {{registry, codePage, facts, {1, 0, 0}}, files});
        for (const auto& [setting, text] : c.shown) {
            std::string json;  // the text as a JSON string holds it
            for (const char ch : text) json += ch == '\\' ? std::string("\\\\") : std::string(1, ch);
            EXPECT_NE(shown.out.find("\"" + setting + "\":\"" + json + "\""), std::string::npos) << setting << " " << shown.out;
        }
    }
    for (const char* none : {"DiskType", "DiskSize"})  // no off state: Disabled writes nothing
        for (const XMLElement* policy : policies)
            if (Attribute(policy, "name") == none) {
                EXPECT_TRUE(Apply(policy, false).empty()) << none;
            }
}

}  // namespace
}  // namespace sarnex::testing
