// The notices that report a registry key that could not be opened, for loading or for saving.
#pragma once

#include "platform/forms/forms_runtime.h"

namespace sarnex::notices {

// "Registry Read Failed": opened by loading; stays in front of the editor until closed.
class RegistryReadFailedNotice : public forms::Form {
public:
    explicit RegistryReadFailedNotice(forms::FormsRuntime& runtime);
    forms::CommandButton& cancelButton;

protected:
    void OnLoad() override;
};

// "Registry Save Failed": opened by saving.
class RegistrySaveFailedNotice : public forms::Form {
public:
    explicit RegistrySaveFailedNotice(forms::FormsRuntime& runtime);
    forms::CommandButton& cancelButton;
};

}  // namespace sarnex::notices
