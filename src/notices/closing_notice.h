// A notice of one message and one button, which closes the notice and nothing else.
#pragma once

#include <string_view>

#include "platform/forms/forms_runtime.h"

namespace sarnex::notices {

class ClosingNotice : public forms::Form {
public:
    // `button` names the design row of the button that closes it.
    ClosingNotice(forms::FormsRuntime& runtime, forms::FormDesign design, std::string_view button)
        : Form(runtime, std::move(design)), closeButton(Get<forms::CommandButton>(button)) {
        closeButton.On(forms::Event::Click, [this] { Unload(); });
    }
    forms::CommandButton& closeButton;
};

}  // namespace sarnex::notices
