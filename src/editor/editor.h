// The editor window: every driver setting as a control, the rules that keep the controls
// consistent while the user edits, loading from and saving to the driver's record.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/forms/forms_runtime.h"

// The Windows headers define a macro of this name, which would rename the editor's check box in
// any file that includes them first.
#ifdef LoadImage
#undef LoadImage
#endif

namespace sarnex::platform {
class Registry;
class CodePage;
class Shell;
}  // namespace sarnex::platform

namespace sarnex::editor {

struct ProgramVersion {
    int major = 0;
    int minor = 0;
    int revision = 0;
};

// What the editor needs from the program that wires it: services, the run-wide restart flag,
// and the windows it opens but does not own.
struct EditorServices {
    platform::Registry& registry;
    const platform::CodePage& codePage;
    platform::Shell& shell;
    ProgramVersion version;
    const std::int16_t& showRestartQuery;
    std::function<void()> showReadRegFail;
    std::function<void()> showSaveRegFail;
    std::function<void()> showRestartPrompt;
};

class Editor : public forms::Form {
public:
    Editor(forms::FormsRuntime& runtime, EditorServices services);

    // Controls, by the names the rules use.
    forms::Label& Label1;
    forms::Label& Label2;
    forms::Label& Label3;
    forms::Label& Label4;
    forms::Label& Label5;
    forms::Label& Label6;
    forms::Label& Label7;
    forms::Label& Label8;
    forms::Label& Label9;
    forms::Label& Label10;
    forms::Label& Label11;
    forms::Label& Label12;
    forms::Label& Label13;
    forms::ComboBox& Combo1;
    forms::TextBox& Text1;
    forms::TextBox& Text2;
    forms::TextBox& Text3;
    forms::TextBox& DriveLetterText;
    forms::TextBox& AutoSaveTime;
    forms::TextBox& DiskLabelText;
    forms::VScrollBar& VScroll1;
    forms::VScrollBar& VScroll2;
    forms::VScrollBar& VScroll3;
    forms::CheckBox& Fat32Enable;
    forms::CheckBox& DriveCheckBox;
    forms::CheckBox& SaveCheckBox;
    forms::CheckBox& SaveImage;
    forms::CheckBox& LoadImage;
    forms::CheckBox& TempDirCheckBox;
    forms::CheckBox& DiskLabelCheckBox;
    forms::CommandButton& Command1;
    forms::CommandButton& Command2;
    forms::CommandButton& Command3;

    // The last accepted position of each spinner bar.
    std::int16_t SizeScrollPos = 0;
    std::int16_t DriveScrollPos = 0;
    std::int16_t TimeScrollPos = 0;

protected:
    void Form_Load() override;

private:
    // Disk type and size
    void Combo1_Click();
    void Combo1_Change();
    void Text3_Change();
    void Text3_LostFocus();
    void VScroll1_Change();
    // Drive letter and autosave interval
    void DriveCheckBox_Click();
    void DriveLetterText_Change();
    void VScroll2_Change();
    void SaveCheckBox_Click();
    void AutoSaveTime_LostFocus();
    void VScroll3_Change();
    // Image, TEMP-directory and label options
    void LoadImage_Click();
    void SaveImage_Click();
    void TempDirCheckBox_Click();
    void DiskLabelCheckBox_Click();
    // Saving and leaving; SaveSettings tells whether every value was stored.
    bool SaveSettings();
    void Command1_Click();
    void Command3_Click();
    void Command2_Click();
    // Web link
    void RunShellExecute(const std::string& sTopic, const std::string& sFile, const std::string* sParams,
                         const std::string* sDirectory, std::int32_t nShowCmd);
    void Label8_Click();

    void BindHandlers();
    // The state loading falls back to when the key cannot be opened.
    void LoadDefaults();

    // Steps shared by the editing rules.
    double DiskSize() const;          // the number in Text3
    double AutoSaveInterval() const;  // the number in AutoSaveTime
    void ApplyDiskTypeRule();
    void UpdateFat32Availability();

    EditorServices services_;
};

}  // namespace sarnex::editor
