// The notices the driver asks for by command word: an image that did not fit the disk ("badload")
// and too little physical memory for the disk ("nomem"). Each is the only window of its run.
#pragma once

#include "notices/closing_notice.h"

namespace sarnex::notices {

class ImageLoadFailedNotice final : public ClosingNotice {
public:
    explicit ImageLoadFailedNotice(forms::FormsRuntime& runtime);
};

class OutOfMemoryNotice final : public ClosingNotice {
public:
    explicit OutOfMemoryNotice(forms::FormsRuntime& runtime);
};

}  // namespace sarnex::notices
