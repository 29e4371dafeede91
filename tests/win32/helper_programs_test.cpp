// The helper programs that ./run and the start-up benchmark rely on, tried on the empty window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

class Process {
 public:
  explicit Process(std::string command_line) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
      CloseHandle(info.hThread);
      process_ = info.hProcess;
      id_ = info.dwProcessId;
    }
  }
  ~Process() {
    if (process_ != nullptr) {
      if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) TerminateProcess(process_, 99);
      CloseHandle(process_);
    }
  }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  bool started() const { return process_ != nullptr; }
  DWORD id() const { return id_; }
  // Exit code, or STILL_ACTIVE if it has not ended within the time.
  DWORD Wait(DWORD milliseconds) const {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process_, milliseconds) == WAIT_OBJECT_0) GetExitCodeProcess(process_, &code);
    return code;
  }

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

std::string Program(const char* name) { return std::string("\"") + SARNEX_PROGRAMS_DIR + "\\" + name + "\""; }

HWND WaitForWindow(const char* title, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    HWND window = FindWindowA(nullptr, title);
    if (window != nullptr && IsWindowVisible(window)) return window;
    if (GetTickCount() - start > milliseconds) return nullptr;
    Sleep(10);
  }
}

TEST(HelperPrograms, CloseWindowByTitleEndsTheEmptyWindowCleanly) {
  Process empty(Program("emptywindow.exe"));
  ASSERT_TRUE(empty.started());
  ASSERT_NE(WaitForWindow("Empty Window", 20000), nullptr);
  Process closer(Program("closewindow.exe") + " \"Empty Window\" 10000");
  ASSERT_TRUE(closer.started());
  EXPECT_EQ(closer.Wait(15000), 0u);
  EXPECT_EQ(empty.Wait(10000), 0u) << "WM_CLOSE ends the program through its own message loop";
}

TEST(HelperPrograms, CloseWindowByProcessWaitsForTheEnd) {
  Process empty(Program("emptywindow.exe"));
  ASSERT_TRUE(empty.started());
  ASSERT_NE(WaitForWindow("Empty Window", 20000), nullptr);
  Process closer(Program("closewindow.exe") + " --pid " + std::to_string(empty.id()) + " 10000");
  ASSERT_TRUE(closer.started());
  EXPECT_EQ(closer.Wait(15000), 0u);
  EXPECT_EQ(empty.Wait(0), 0u) << "already ended when closewindow returned";
}

TEST(HelperPrograms, CloseWindowReportsAMissingWindow) {
  Process closer(Program("closewindow.exe") + " \"No Such Window Title\" 200");
  ASSERT_TRUE(closer.started());
  EXPECT_EQ(closer.Wait(10000), 1u);
}

TEST(HelperPrograms, StartWaitSeesTheWindowAndClosesIt) {
  Process timer(Program("startwait.exe") + " --title \"Empty Window\" " + Program("emptywindow.exe"));
  ASSERT_TRUE(timer.started());
  EXPECT_EQ(timer.Wait(30000), 0u);
  EXPECT_EQ(FindWindowA(nullptr, "Empty Window"), nullptr);
}

TEST(HelperPrograms, StartWaitGivesUpOnATitleThatNeverShows) {
  Process timer(Program("startwait.exe") + " --title \"Another Title\" --timeout 1500 " + Program("emptywindow.exe"));
  ASSERT_TRUE(timer.started());
  EXPECT_EQ(timer.Wait(30000), 3u);
  EXPECT_EQ(FindWindowA(nullptr, "Empty Window"), nullptr) << "the started program is not left behind";
}

}  // namespace
