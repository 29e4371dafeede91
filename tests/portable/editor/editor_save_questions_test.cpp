// "OK" and "Save" with the checks before saving: the editor's own Yes/No questions, what No keeps
// and what Yes writes, and values that another program changed while the editor was open.
#include <string>
#include <vector>

#include "portable/editor/program_fixture.h"
#include "support/fixed_system_facts.h"

namespace sarnex::testing {
namespace {

using Kind = testing::RegistryOperation::Kind;
using namespace std::string_view_literals;
using Question = headless::HeadlessHost::Question;

constexpr const char* kCheckTitle = "Sarnex Settings Check";
constexpr const char* kChangedTitle = "Sarnex Settings Changed";

// The program as the entry point wires it, with system facts a test sets. The stored record saves
// its image to C:\save.img (64 MB); the volume has room for it.
class SaveQuestions : public ::testing::Test {
protected:
    SaveQuestions() {
        StoredRecord{}.StoreIn(registry);
        system.AddFolder("C:\\", 100 * kMegabyte);
    }

    editor::Editor& Editor() { return program.Editor(); }
    bool Loaded(const forms::Form* form) const { return form != nullptr && form->Loaded(); }
    bool PromptShown() const { return Loaded(runtime.ExistingInstance<notices::RestartPrompt>()); }
    std::vector<std::string> Sets() const {
        std::vector<std::string> sets;
        for (const auto& op : registry.Operations())
            if (op.kind == Kind::Set) sets.push_back(op.target);
        return sets;
    }
    std::string StoredLabel() const {
        const auto value = registry.GetValue(kKey, "DiskLabel");
        return value ? std::string(reinterpret_cast<const char*>(value->data.data()), value->data.size()) : "";
    }
    // The save image cannot be stored: a finding on each "OK" and "Save".
    void MakeAFinding() { system.folders.clear(); }

    headless::HeadlessHost host;
    forms::FormsRuntime runtime{host};
    MemoryRegistry registry;
    CodePage1252 codePage;
    RecordingShell shell;
    FixedSystemFacts system;
    startup::Program program{runtime, {registry, codePage, shell, {1, 0, 41}, &system}};
    HeadlessDriver user;
};

TEST_F(SaveQuestions, NothingFoundAsksNothingAndOkGoesOnAsBefore) {
    program.Start("");
    user.Click(Editor().saveButton);
    user.Click(Editor().okButton);
    EXPECT_TRUE(host.Questions().empty());
    EXPECT_EQ(Sets().size(), 26u);
    EXPECT_FALSE(Editor().Loaded());
    EXPECT_TRUE(PromptShown());
}

TEST_F(SaveQuestions, NoOnTheCheckKeepsEveryEditAndWritesNothing) {
    program.Start("");
    MakeAFinding();
    user.Retype(Editor().volumeLabelBox, "EDITED");
    const auto before = ControlStates(Editor());
    for (forms::CommandButton* button : {&Editor().okButton, &Editor().saveButton}) {
        host.QueueAnswer(false);
        registry.ClearOperations();
        user.Click(*button);
        EXPECT_TRUE(registry.Operations().empty()) << "not even the key is read again";
        ASSERT_TRUE(Editor().Loaded());
        EXPECT_EQ(ControlStates(Editor()), before);
    }
    const Question asked{"Editor", kCheckTitle,
                         "The folder \"C:\\\" for the image file to save does not exist.\n\nSave these settings anyway?"};
    EXPECT_EQ(host.Questions(), (std::vector<Question>{asked, asked}));
    EXPECT_EQ(StoredLabel(), "RAMDISK\0"sv);
    EXPECT_FALSE(PromptShown());
}

TEST_F(SaveQuestions, YesOnTheCheckSavesAndGoesOnAsBefore) {
    for (const std::string word : {"", "install"}) {
        SCOPED_TRACE("word: " + word);
        headless::HeadlessHost h;
        forms::FormsRuntime rt{h};
        startup::Program p{rt, {registry, codePage, shell, {1, 0, 41}, &system}};
        p.Start(word);
        MakeAFinding();
        user.Retype(p.Editor().volumeLabelBox, "YES" + word);
        h.QueueAnswer(true);
        user.Click(p.Editor().okButton);
        EXPECT_EQ(h.Questions().size(), 1u) << "an install run is checked too";
        EXPECT_EQ(StoredLabel(), "YES" + word + std::string(1, 0));
        EXPECT_FALSE(p.Editor().Loaded());
        EXPECT_EQ(rt.ExistingInstance<notices::RestartPrompt>() != nullptr, word.empty());
        EXPECT_EQ(rt.ProgramEnded(), !word.empty());
        system.AddFolder("C:\\", 100 * kMegabyte);
    }
}

TEST_F(SaveQuestions, OnlyATickedImageIsChecked) {
    registry.PutNumber(kKey, "SaveImageOnExit", 0);
    registry.PutNumber(kKey, "AutoSaveEnabled", 0);  // AutoSave would tick saving again
    program.Start("");
    MakeAFinding();  // neither C:\disk.img nor C:\ exists now
    user.Click(Editor().saveButton);
    EXPECT_TRUE(host.Questions().empty());

    user.Click(Editor().loadImageCheck);
    host.QueueAnswer(false);
    user.Click(Editor().saveButton);
    ASSERT_EQ(host.Questions().size(), 1u);
    EXPECT_EQ(host.Questions()[0].text,
              "The image file to load, \"C:\\disk.img\", does not exist.\n\nSave these settings anyway?");

    user.Click(Editor().loadImageCheck);
    user.Click(Editor().saveButton);
    EXPECT_EQ(host.Questions().size(), 1u);
}

TEST_F(SaveQuestions, AValueChangedMeanwhileIsNamedAndNoLeavesIt) {
    program.Start("");
    PutStoredText(registry, "DiskLabel", "OTHER");
    registry.PutNumber(kKey, "MakeTempDir", 0);
    host.QueueAnswer(false);
    registry.ClearOperations();
    user.Click(Editor().saveButton);
    EXPECT_EQ(host.Questions(), (std::vector<Question>{{"Editor", kChangedTitle,
                                                        "Since these settings were read, another program has "
                                                        "changed:\nMakeTempDir\nDiskLabel\n\nReplace them with the "
                                                        "settings shown here?"}}));
    EXPECT_TRUE(Sets().empty());
    EXPECT_EQ(StoredLabel(), "OTHER\0"sv);

    host.QueueAnswer(true);
    user.Click(Editor().okButton);
    EXPECT_EQ(host.Questions().size(), 2u);
    EXPECT_EQ(StoredLabel(), "RAMDISK\0"sv);
    EXPECT_TRUE(PromptShown());
}

TEST_F(SaveQuestions, WhatASaveWroteIsTheNewReference) {
    program.Start("");
    user.Retype(Editor().volumeLabelBox, "FIRST");
    user.Click(Editor().saveButton);
    user.Retype(Editor().volumeLabelBox, "SECOND");
    user.Click(Editor().saveButton);
    EXPECT_TRUE(host.Questions().empty()) << "the editor's own save is no change by another program";
    EXPECT_EQ(StoredLabel(), "SECOND\0"sv);

    // A save that stored only some values: those it stored are its own, the others still compare
    // with what was read.
    registry.FailSet(kKey, "DiskLabel", platform::registry_status::kAccessDenied);
    user.Retype(Editor().volumeLabelBox, "THIRD");
    user.Click(Editor().tempDirCheck);
    user.Click(Editor().saveButton);
    registry.FailSet(kKey, "DiskLabel", 0);
    user.Click(Editor().saveButton);
    EXPECT_TRUE(host.Questions().empty());
    EXPECT_EQ(StoredLabel(), "THIRD\0"sv);
}

TEST_F(SaveQuestions, AKeyThatCannotBeOpenedIsNoChange) {
    program.Start("");
    registry.FailOpen(kKey, platform::registry_status::kAccessDenied);
    user.Click(Editor().okButton);
    EXPECT_TRUE(host.Questions().empty());
    EXPECT_TRUE(Loaded(runtime.ExistingInstance<notices::RegistrySaveFailedNotice>()));
    EXPECT_TRUE(Editor().Loaded());
}

TEST_F(SaveQuestions, AfterAKeyUnreadableAtLoadingEveryStoredValueIsAChange) {
    registry.FailOpen(kKey, platform::registry_status::kAccessDenied);
    program.Start("");
    registry.FailOpen(kKey, 0);
    host.QueueAnswer(false);
    user.Click(Editor().saveButton);
    ASSERT_EQ(host.Questions().size(), 1u);
    EXPECT_NE(host.Questions()[0].text.find("DiskType\nLoadImageOnStart\n"), std::string::npos);
    EXPECT_TRUE(Sets().empty());
}

TEST_F(SaveQuestions, TheCheckIsAskedFirstAndTheKeyReadOnlyAfterIt) {
    program.Start("");
    MakeAFinding();
    PutStoredText(registry, "DiskLabel", "OTHER");
    host.QueueAnswer(true);
    host.QueueAnswer(false);
    registry.ClearOperations();
    user.Click(Editor().okButton);
    ASSERT_EQ(host.Questions().size(), 2u);
    EXPECT_EQ(host.Questions()[0].title, kCheckTitle);
    EXPECT_EQ(host.Questions()[1].title, kChangedTitle);
    EXPECT_EQ(registry.Operations().size(), 15u) << "one reading pass, no write";
    EXPECT_TRUE(Sets().empty());
    EXPECT_TRUE(Editor().Loaded());
}

}  // namespace
}  // namespace sarnex::testing
