// The notices that report a registry key that could not be opened, for loading or for saving.
#pragma once

#include "platform/forms/forms_runtime.h"

namespace sarnex::notices {

// "Registry Read Failed": opened by loading; stays in front of the editor until closed.
class ReadRegFail : public forms::Form {
public:
    explicit ReadRegFail(forms::FormsRuntime& runtime);

protected:
    void Form_Load() override;

private:
    void Cancel_Click();
};

// "Registry Save Failed": opened by saving.
class SaveRegFail : public forms::Form {
public:
    explicit SaveRegFail(forms::FormsRuntime& runtime);

private:
    void Cancel_Click();
};

}  // namespace sarnex::notices
