// Closes windows from their frame, as a user's click on the close box does (WM_CLOSE), so that no
// button handler of the program runs and nothing is saved.
//   closewindow TITLE [TIMEOUT_MS]   close the visible top-level window with this exact title
//   closewindow --pid PID [TIMEOUT_MS]  close every visible top-level window of that process, wait
//                                       for the process to end
// Exit code: 0 done, 1 no such window / process, 2 bad arguments, 3 still there after the timeout.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct ProcessWindows {
  DWORD process_id;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM context) {
  auto* wanted = reinterpret_cast<ProcessWindows*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == wanted->process_id && IsWindowVisible(window)) wanted->windows.push_back(window);
  return TRUE;
}

std::vector<HWND> VisibleWindowsOf(DWORD process_id) {
  ProcessWindows found{process_id, {}};
  EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&found));
  return found.windows;
}

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (handle_ != nullptr) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

int CloseProcessWindows(DWORD process_id, DWORD timeout_ms) {
  Handle process(OpenProcess(SYNCHRONIZE, FALSE, process_id));
  if (process.get() == nullptr) return 1;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeout_ms) {
    for (HWND window : VisibleWindowsOf(process_id)) PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.get(), 100) == WAIT_OBJECT_0) return 0;
  }
  return 3;
}

int CloseTitledWindow(const char* title, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  HWND window = nullptr;
  while ((window = FindWindowA(nullptr, title)) == nullptr || !IsWindowVisible(window)) {
    if (GetTickCount() - start >= timeout_ms) return 1;
    Sleep(10);
  }
  PostMessageA(window, WM_CLOSE, 0, 0);
  while (IsWindow(window)) {
    if (GetTickCount() - start >= timeout_ms) return 3;
    Sleep(10);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "--pid") == 0) {
    const DWORD timeout = argc >= 4 ? std::strtoul(argv[3], nullptr, 10) : 10000;
    return CloseProcessWindows(std::strtoul(argv[2], nullptr, 10), timeout);
  }
  if (argc >= 2 && argv[1][0] != '-') {
    const DWORD timeout = argc >= 3 ? std::strtoul(argv[2], nullptr, 10) : 10000;
    return CloseTitledWindow(argv[1], timeout);
  }
  std::fputs("usage: closewindow TITLE [TIMEOUT_MS] | closewindow --pid PID [TIMEOUT_MS]\n", stderr);
  return 2;
}
