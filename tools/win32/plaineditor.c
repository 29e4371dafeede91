/* The editor's window in plain C, as the floor for the start-up benchmark: the same top-level window
 * and the same 33 native controls (same classes, styles, places and fonts, and the editor's manifest,
 * so common controls 6 provide them), after loading the common controls, and nothing more: no model,
 * no registry, no icon, no tooltips, no subclassing. Titled "Plain Editor Window" so it is never
 * taken for the editor. Places are in twips, as the editor's design gives them, turned into pixels
 * at the screen's DPI; texts are those the editor shows on the benchmark's stored configuration. */
#include <windows.h>
#include <commctrl.h>

enum Kind { LABEL, EDIT, CHECK, COMBO, BUTTON, SPINNER };
enum FontId { BOLD9, BOLD825, BOLD12, BOLD36_ITALIC, LINK, FONT_COUNT };
enum Align { LEFT, CENTRE };

struct Control {
  enum Kind kind;
  const wchar_t* text;
  int left, top, width, height; /* twips */
  enum FontId font;
  enum Align align;
};

/* In focus order, as the editor creates them. */
static const struct Control kControls[] = {
    {CHECK, L"Load Disk Image", 4080, 2520, 1815, 255, BOLD9, LEFT},
    {CHECK, L"Save Disk Image", 4080, 4440, 1815, 255, BOLD9, LEFT},
    {EDIT, L"Text1", 4080, 3000, 2775, 375, BOLD9, LEFT},
    {EDIT, L"Text2", 4080, 4920, 2775, 375, BOLD9, LEFT},
    {LABEL, L" Filename:", 4080, 4680, 975, 255, BOLD9, LEFT},
    {LABEL, L"Filename:", 4080, 2760, 975, 255, BOLD9, LEFT},
    {LABEL, L"Disk Type:", 360, 2160, 975, 375, BOLD9, LEFT},
    {COMBO, L"", 1440, 2160, 1935, 345, BOLD9, LEFT},
    {LABEL, L"Sarnex", 1560, 0, 4095, 735, BOLD36_ITALIC, CENTRE},
    {LABEL, L"Version 1.0.0", 1560, 840, 4215, 375, BOLD12, CENTRE},
    {LABEL, L"Disk Size:", 720, 3240, 855, 255, BOLD9, LEFT},
    {BUTTON, L"OK", 1080, 5520, 1575, 615, BOLD12, LEFT},
    {EDIT, L" 64", 1680, 3120, 855, 375, BOLD9, CENTRE},
    {LABEL, L"Configuration changes will take effect the next time the driver is started. ", 480, 6360, 6375, 255,
     BOLD9, CENTRE},
    {BUTTON, L"Cancel", 4680, 5520, 1575, 615, BOLD12, LEFT},
    {CHECK, L"Select Drive Letter", 480, 4080, 1935, 255, BOLD9, LEFT},
    {SPINNER, L"", 2520, 3120, 255, 375, BOLD9, LEFT},
    {EDIT, L"D", 1440, 4440, 855, 375, BOLD9, CENTRE},
    {SPINNER, L"", 2280, 4440, 255, 375, BOLD9, LEFT},
    {CHECK, L"AutoSave", 4080, 3960, 1215, 255, BOLD9, LEFT},
    {EDIT, L" 300", 5280, 3960, 855, 375, BOLD9, CENTRE},
    {SPINNER, L"", 6120, 3960, 255, 375, BOLD9, LEFT},
    {LABEL, L"https://www.sarnex.example/", 2160, 1200, 2895, 255, LINK, LEFT},
    {LABEL, L"Hard Disk Settings", 480, 2880, 1575, 255, BOLD825, LEFT},
    {CHECK, L"FAT32 format ", 480, 3720, 1455, 255, BOLD9, LEFT},
    {LABEL, L"sec", 6480, 3960, 375, 255, BOLD9, LEFT},
    {LABEL, L"MB", 2880, 3240, 375, 255, BOLD9, LEFT},
    {LABEL, L"Save Image Settings", 4200, 3600, 1695, 255, BOLD825, LEFT},
    {CHECK, L"Create TEMP directory", 4080, 2280, 2415, 195, BOLD9, LEFT},
    {CHECK, L"Disk Label:", 4080, 1920, 1335, 255, BOLD9, LEFT},
    {EDIT, L"Sarnexia", 5520, 1845, 1335, 360, BOLD9, LEFT},
    {LABEL, L"Load Image Settings", 4200, 1560, 1695, 255, BOLD825, LEFT},
    {BUTTON, L"Save", 2880, 5520, 1575, 615, BOLD12, LEFT},
};

static int dpi = 96;
static int Pixels(int twips) { return MulDiv(twips, dpi, 1440); }

static HFONT MakeFont(const wchar_t* face, double points, int weight, BOOL italic, BOOL underline) {
  const int height = -(int)(points * dpi / 72.0 + 0.5);
  return CreateFontW(height, 0, 0, 0, weight, italic, underline, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

/* The closed combo box gets its designed height by sizing its selection field. */
static void FitComboHeight(HWND combo, int height) {
  RECT rc;
  GetWindowRect(combo, &rc);
  const LRESULT field = SendMessageW(combo, CB_GETITEMHEIGHT, (WPARAM)-1, 0);
  const int off = height - (rc.bottom - rc.top);
  if (off != 0 && field + off > 0) SendMessageW(combo, CB_SETITEMHEIGHT, (WPARAM)-1, field + off);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command_line, int show) {
  (void)previous;
  (void)command_line;
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  HDC screen = GetDC(NULL);
  dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(NULL, screen);

  HFONT fonts[FONT_COUNT];
  fonts[BOLD9] = MakeFont(L"Arial", 9, FW_BOLD, FALSE, FALSE);
  fonts[BOLD825] = MakeFont(L"Arial", 8.25, FW_BOLD, FALSE, FALSE);
  fonts[BOLD12] = MakeFont(L"Arial", 12, FW_BOLD, FALSE, FALSE);
  fonts[BOLD36_ITALIC] = MakeFont(L"Arial", 36, FW_BOLD, TRUE, FALSE);
  fonts[LINK] = MakeFont(L"MS Sans Serif", 9.75, FW_NORMAL, FALSE, TRUE);

  WNDCLASSEXW window_class = {sizeof window_class};
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
  window_class.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
  window_class.lpszClassName = L"PlainEditorWindow";
  if (RegisterClassExW(&window_class) == 0) return 1;
  RECT frame = {0, 0, Pixels(7305), Pixels(6735)};
  AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
  HWND window = CreateWindowExW(0, window_class.lpszClassName, L"Plain Editor Window", WS_OVERLAPPEDWINDOW,
                                CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                                NULL, NULL, instance, NULL);
  if (window == NULL) return 1;

  for (int i = 0; i < (int)(sizeof kControls / sizeof kControls[0]); ++i) {
    const struct Control* c = &kControls[i];
    const wchar_t* cls = L"STATIC";
    DWORD style = WS_CHILD | WS_VISIBLE, ex_style = 0;
    int height = Pixels(c->height);
    switch (c->kind) {
      case LABEL: style |= SS_NOTIFY | (c->align == CENTRE ? SS_CENTER : SS_LEFT); break;
      case EDIT:
        cls = L"EDIT";
        style |= WS_TABSTOP | ES_AUTOHSCROLL | (c->align == CENTRE ? ES_CENTER : ES_LEFT);
        ex_style = WS_EX_CLIENTEDGE;
        break;
      case CHECK: cls = L"BUTTON"; style |= WS_TABSTOP | BS_CHECKBOX; break;
      case COMBO:
        cls = L"COMBOBOX";
        style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
        height += Pixels(1800);
        break;
      case BUTTON: cls = L"BUTTON"; style |= WS_TABSTOP | BS_PUSHBUTTON; break;
      case SPINNER: cls = L"SCROLLBAR"; style |= WS_TABSTOP | SBS_VERT; break;
    }
    HWND child = CreateWindowExW(ex_style, cls, c->text, style, Pixels(c->left), Pixels(c->top), Pixels(c->width),
                                 height, window, (HMENU)(INT_PTR)(100 + i), instance, NULL);
    if (child == NULL) return 1;
    SendMessageW(child, WM_SETFONT, (WPARAM)fonts[c->font], FALSE);
    if (c->kind == COMBO) FitComboHeight(child, Pixels(c->height));
  }
  ShowWindow(window, show);
  UpdateWindow(window);

  MSG message;
  while (GetMessageW(&message, NULL, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  for (int f = 0; f < FONT_COUNT; ++f) DeleteObject(fonts[f]);
  return (int)message.wParam;
}
