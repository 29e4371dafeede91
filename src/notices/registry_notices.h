// The notices that report a registry key that could not be opened, for loading or for saving.
#pragma once

#include "notices/closing_notice.h"

namespace sarnex::notices {

// "Registry Read Failed": opened by loading; stays in front of the editor until closed.
class RegistryReadFailedNotice final : public ClosingNotice {
public:
    explicit RegistryReadFailedNotice(forms::FormsRuntime& runtime);

protected:
    void OnLoad() override;
};

// "Registry Save Failed": opened by saving.
class RegistrySaveFailedNotice final : public ClosingNotice {
public:
    explicit RegistrySaveFailedNotice(forms::FormsRuntime& runtime);
};

}  // namespace sarnex::notices
