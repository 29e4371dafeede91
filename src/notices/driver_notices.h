// The notices the driver asks for by command word: an image that did not fit the disk ("badload")
// and too little physical memory for the disk ("nomem"). Each is the only window of its run.
#pragma once

#include "platform/forms/forms_runtime.h"

namespace sarnex::notices {

class ImageLoadFailedNotice : public forms::Form {
public:
    explicit ImageLoadFailedNotice(forms::FormsRuntime& runtime);
    forms::CommandButton& okButton;
};

class OutOfMemoryNotice : public forms::Form {
public:
    explicit OutOfMemoryNotice(forms::FormsRuntime& runtime);
    forms::CommandButton& okButton;
};

}  // namespace sarnex::notices
