// The shell's restart question is asked without an owner window, so it is tied to no window that is
// about to close. (Wine shows its own text: whether the prompt is read as UTF-16 shows only on Windows.)
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
    ASSERT_NE(watch.Result().box, nullptr);
    EXPECT_EQ(watch.Result().owner, nullptr);
}

}  // namespace
}  // namespace sarnex::testing
