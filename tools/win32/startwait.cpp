// Starts a program and measures, from inside Windows, how long it takes until its window is shown.
//   startwait [--title TITLE] [--keep] [--timeout MS] PROGRAM [ARGUMENTS...]
// Waits for a visible top-level window of the started process (with exactly TITLE if given), then
// prints one line "elapsed_ms=<ms> pid=<process id> title=<window title>". Then, unless --keep, it
// closes the program's windows from their frame (WM_CLOSE) and waits for it to end.
// Exit code: 0 shown (and ended), 1 could not start, 2 bad arguments, 3 no window in time,
// 4 the program did not end after its windows were closed (it is then terminated).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr DWORD kElevationRequired = 740;  // ERROR_ELEVATION_REQUIRED

class Handle {
 public:
  explicit Handle(HANDLE handle = nullptr) : handle_(handle) {}
  ~Handle() {
    if (handle_ != nullptr) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  void reset(HANDLE handle) {
    if (handle_ != nullptr) CloseHandle(handle_);
    handle_ = handle;
  }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

struct Search {
  DWORD process_id;
  const char* title;  // nullptr: any visible top-level window of the process
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process_id || !IsWindowVisible(window)) return TRUE;
  if (search->title != nullptr) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    if (std::strcmp(text, search->title) != 0) return TRUE;
  }
  search->found = window;
  return FALSE;
}

HWND FindShownWindow(DWORD process_id, const char* title) {
  Search search{process_id, title, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK CloseWindowOf(HWND window, LPARAM context) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == static_cast<DWORD>(context) && IsWindowVisible(window)) PostMessageA(window, WM_CLOSE, 0, 0);
  return TRUE;
}

std::string Quoted(const char* argument) {
  if (*argument != '\0' && std::strpbrk(argument, " \t\"") == nullptr) return argument;
  std::string result = "\"";
  for (const char* c = argument; *c != '\0'; ++c) {
    if (*c == '"') result += '\\';
    result += *c;
  }
  return result + "\"";
}

double MillisecondsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Starts the program; a program whose manifest asks for elevation is started through the shell.
bool Start(const char* program, const std::string& arguments, Handle& process, DWORD& process_id) {
  std::string command_line = Quoted(program) + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    CloseHandle(info.hThread);
    process.reset(info.hProcess);
    process_id = info.dwProcessId;
    return true;
  }
  if (GetLastError() != kElevationRequired) return false;
  SHELLEXECUTEINFOA shell{};
  shell.cbSize = sizeof shell;
  shell.fMask = SEE_MASK_NOCLOSEPROCESS;
  shell.lpVerb = "runas";
  shell.lpFile = program;
  shell.lpParameters = arguments.c_str();
  shell.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExA(&shell) || shell.hProcess == nullptr) return false;
  process.reset(shell.hProcess);
  process_id = GetProcessId(shell.hProcess);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const char* title = nullptr;
  bool keep = false;
  DWORD timeout_ms = 30000;
  int next = 1;
  for (; next < argc && argv[next][0] == '-'; ++next) {
    if (std::strcmp(argv[next], "--title") == 0 && next + 1 < argc) {
      title = argv[++next];
    } else if (std::strcmp(argv[next], "--timeout") == 0 && next + 1 < argc) {
      timeout_ms = std::strtoul(argv[++next], nullptr, 10);
    } else if (std::strcmp(argv[next], "--keep") == 0) {
      keep = true;
    } else {
      break;
    }
  }
  if (next >= argc) {
    std::fputs("usage: startwait [--title TITLE] [--keep] [--timeout MS] PROGRAM [ARGUMENTS...]\n", stderr);
    return 2;
  }
  std::string arguments;
  for (int i = next + 1; i < argc; ++i) arguments += " " + Quoted(argv[i]);

  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  Handle process;
  DWORD process_id = 0;
  if (!Start(argv[next], arguments, process, process_id)) {
    std::fprintf(stderr, "startwait: cannot start %s (error %lu)\n", argv[next], GetLastError());
    return 1;
  }
  HWND window = nullptr;
  while ((window = FindShownWindow(process_id, title)) == nullptr) {
    if (MillisecondsSince(start) > timeout_ms || WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0) {
      std::fprintf(stderr, "startwait: no window%s%s shown\n", title ? " titled " : "", title ? title : "");
      TerminateProcess(process.get(), 1);
      WaitForSingleObject(process.get(), 5000);
      return 3;
    }
    Sleep(1);
  }
  const double elapsed = MillisecondsSince(start);
  char shown_title[512] = {};
  GetWindowTextA(window, shown_title, sizeof shown_title);
  std::printf("elapsed_ms=%.1f pid=%lu title=%s\n", elapsed, process_id, shown_title);
  std::fflush(stdout);
  if (keep) {
    WaitForInputIdle(process.get(), 5000);  // first painting done before anyone looks at it
    return 0;
  }
  for (int attempt = 0; attempt < 100; ++attempt) {
    EnumWindows(CloseWindowOf, static_cast<LPARAM>(process_id));
    if (WaitForSingleObject(process.get(), 100) == WAIT_OBJECT_0) return 0;
  }
  TerminateProcess(process.get(), 1);
  WaitForSingleObject(process.get(), 5000);
  return 4;
}
