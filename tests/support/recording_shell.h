// A shell that carries out nothing and keeps every request, in order, for tests.
#pragma once

#include <string>
#include <vector>

#include "platform/shell.h"

namespace sarnex::testing {

class RecordingShell final : public platform::Shell {
public:
    void OpenWebPage(const std::string& address) override { requests.push_back("open web page " + address); }
    void OfferRestart(forms::Form&) override { requests.push_back("offer restart"); }
    void OpenSystemProperties(forms::Form&) override { requests.push_back("open system properties"); }

    std::vector<std::string> requests;
};

}  // namespace sarnex::testing
