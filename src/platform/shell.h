// What the program asks of the operating system's shell, in its own terms. How each request is
// carried out (which call, which window owns it, how it is shown) is the shell's business.
#pragma once

#include <string>

namespace sarnex::forms {
class Form;
}

namespace sarnex::platform {

class Shell {
public:
    virtual ~Shell() = default;
    // Opens a web address with its registered handler, normally the default browser. Whether
    // anything opened it is not reported: the program goes on either way.
    virtual void OpenWebPage(const std::string& address) = 0;
    // The system's own dialog that offers to restart Windows; it returns once the user has answered
    // and carries out the restart itself when the user agrees. It belongs to `owner`, which takes no
    // input until it is answered: the form cannot be asked twice, nor closed under its own handler.
    virtual void OfferRestart(forms::Form& owner) = 0;
    // The System properties of the control panel, on the page from which the driver can be
    // restarted by hand. Returns at once, without waiting for the control panel; a control panel
    // that cannot be started is reported in a box that belongs to `owner`, as above.
    virtual void OpenSystemProperties(forms::Form& owner) = 0;
};

}  // namespace sarnex::platform
