// The shell's restart question, asked the way the program asks it: without an owner window, so it
// is not tied to a window that is about to close; answering "No" leaves everything running.
#include <gtest/gtest.h>

#include "platform/win32/ansi_code_page.h"
#include "platform/win32/win32_shell.h"
#include "win32/dialog_watch.h"

namespace sarnex::testing {
namespace {

TEST(RestartOffer, AsksTheSystemsQuestionWithoutAnOwner) {
    win32::AnsiCodePage codePage;
    win32::Win32Shell shell(codePage);
    DialogWatch watch(IDNO);
    shell.OfferRestart();
    const DialogWatch::Seen& seen = watch.Result();
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.owner, nullptr);
}

}  // namespace
}  // namespace sarnex::testing
