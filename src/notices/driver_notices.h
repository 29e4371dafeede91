// The notices the driver asks for by command word: an image that did not fit the disk ("badload")
// and too little physical memory for the disk ("nomem").
#pragma once

#include "platform/forms/forms_runtime.h"

namespace sarnex::notices {

class LoadFail : public forms::Form {
public:
    explicit LoadFail(forms::FormsRuntime& runtime);

private:
    void OKButton_Click();
};

class Nomem : public forms::Form {
public:
    explicit Nomem(forms::FormsRuntime& runtime);

private:
    void OKButton_Click();
};

}  // namespace sarnex::notices
