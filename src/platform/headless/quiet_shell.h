// A shell that carries out nothing: for the editor run without a user (sarnexctl, a record looked at
// before it is written), which never opens a web page or offers a restart.
#pragma once

#include "platform/shell.h"

namespace sarnex::headless {

class QuietShell final : public platform::Shell {
public:
    void OpenWebPage(const std::string&) override {}
    void OfferRestart(forms::Form&) override {}
    void OpenSystemProperties(forms::Form&) override {}
};

}  // namespace sarnex::headless
