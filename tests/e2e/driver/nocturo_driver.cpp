// nocturo_driver: reads and operates Nocturo's windows from another process,
// for the end-to-end tests under Wine. Prints UTF-8; exit code 0 on success,
// 1 on a failed check or timeout, 2 on a usage error.
//
//   list                                  every window and control
//   get WINDOW ID [PROPERTY]              one control (all properties, or one value)
//   wait WINDOW ID PROPERTY VALUE MS      poll until the property equals VALUE
//   wait-like WINDOW ID PROPERTY GLOB MS  the same with * and ? wildcards
//   steady WINDOW ID PROPERTY VALUE MS    fail if the property is not VALUE at any poll for MS
//   click WINDOW ID                       a user's click (refused when not usable)
//   type WINDOW ID TEXT                   focus, caret at the end, one WM_CHAR per character
//                                         (\b backspace, \r Enter, \\ backslash)
//   settext WINDOW ID TEXT                WM_SETTEXT
//   window WINDOW PROPERTY                exists|count|visible|enabled|caption|rect
//   wait-window WINDOW STATE MS           visible|hidden|exists|gone
//   tray CODE                             the tray icon's notification (512, 1, CODE)
//   taskbarcreated                        broadcast the shell's "TaskbarCreated"
//   menu PROPERTY                         open popup menu: exists|rect
//   wait-menu open|closed MS
//   menu-select N                         choose item N (from 1) of the open popup menu
//   menu-key CHAR                         press an item's accelerator in the open popup menu
//   menu count                            how many popup menus are open (visible)
//   find CLASS                            every window of a class, top-level or child, any
//                                         process: hwnd, visible, rect, caption
//   tooltip                               the text of every visible tooltip window, one a line
//   wait-tooltip GLOB MS                  until a visible tooltip's text matches GLOB
//   move WINDOW X Y                       SetWindowPos to screen pixels X, Y (size kept)
//   reg-deny-write KEY                    HKCU\KEY (created if missing) keeps its values
//                                         readable but its security denies setting them
//   reg-volatile KEY                      creates HKCU\KEY as a volatile key (no lasting
//                                         subkey can be created under it)
//   hold-mutex NAME MS                    creates the mutex NAME with a security that lets
//                                         others only wait on it (as a copy running elevated
//                                         leaves it), prints "held" and keeps it for MS
//   mutex-probe NAME                      CreateMutexW(NAME) as a program would: "created",
//                                         "exists" or "error N"
//   focus                                 the window with the keyboard focus, anywhere:
//                                         "WINDOW ID" (ID 0 for the window itself) or "none"
//
// Several commands can be given at once, separated by a ";" argument; they run
// one after the other and the first failure stops the rest.
//
// WINDOW is "principal" or "acercade"; ID is a control's dialog identifier.
// Control properties: class, id, text, visible (its own WS_VISIBLE), enabled
// (its own), usable (enabled and visible up to the top-level window), check
// (BM_GETCHECK), rect (screen pixels left,top,right,bottom).

#include <windows.h>

#include <aclapi.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr UINT kTimeoutMs = 3000;
constexpr DWORD kPollMs = 100;

struct WindowName {
  std::wstring_view name;
  const wchar_t* className;
};

constexpr WindowName kWindows[] = {
    {L"principal", L"Nocturo.FrPrincipal"},
    {L"acercade", L"Nocturo.FrAcercaDe"},
};

// Failures end the command with a one-line reason.
struct Failure {
  int code;
  std::wstring reason;
};

[[noreturn]] void Fail(std::wstring reason) {
  throw Failure{1, std::move(reason)};
}
[[noreturn]] void Usage(std::wstring reason) {
  throw Failure{2, std::move(reason)};
}

std::string Utf8(std::wstring_view text) {
  if (text.empty())
    return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

void Print(std::wstring_view line) {
  const std::string bytes = Utf8(line) + "\n";
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  std::fflush(stdout);
}

std::wstring Quote(std::wstring_view text) {
  std::wstring out = L"\"";
  for (const wchar_t c : text) {
    switch (c) {
      case L'"':
        out += L"\\\"";
        break;
      case L'\\':
        out += L"\\\\";
        break;
      case L'\r':
        out += L"\\r";
        break;
      case L'\n':
        out += L"\\n";
        break;
      case L'\t':
        out += L"\\t";
        break;
      default:
        out += c;
    }
  }
  return out + L"\"";
}

std::wstring Hex(const void* handle) {
  wchar_t buffer[32];
  std::swprintf(buffer, 32, L"0x%llx",
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(handle)));
  return buffer;
}

int ParseInt(std::wstring_view text, std::wstring_view what) {
  try {
    std::size_t used = 0;
    const int value = std::stoi(std::wstring(text), &used, 0);
    if (used == text.size())
      return value;
  } catch (const std::exception&) {
  }
  Usage(std::wstring(what) + L" must be a number: " + std::wstring(text));
}

// Sends a message with a deadline, so that a hung program cannot hang the driver.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kTimeoutMs,
                           &result)) {
    Fail(L"no answer from window " + Hex(window) + L" to message " + std::to_wstring(message));
  }
  return static_cast<LRESULT>(result);
}

std::wstring TextOf(HWND window) {
  const auto length = static_cast<std::size_t>(Send(window, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(length + 1, L'\0');
  const auto copied = static_cast<std::size_t>(
      Send(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data())));
  text.resize(copied < length ? copied : length);
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t buffer[256] = {};
  GetClassNameW(window, buffer, 256);
  return buffer;
}

std::wstring RectOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return std::to_wstring(rect.left) + L"," + std::to_wstring(rect.top) + L"," +
         std::to_wstring(rect.right) + L"," + std::to_wstring(rect.bottom);
}

std::wstring Flag(bool value) {
  return value ? L"1" : L"0";
}

bool HasStyle(HWND window, LONG_PTR style) {
  return (GetWindowLongPtrW(window, GWL_STYLE) & style) != 0;
}

// Enabled and shown, the control and every container up to the top level.
bool Usable(HWND window) {
  for (HWND w = window; w != nullptr; w = GetAncestor(w, GA_PARENT)) {
    if (w == GetDesktopWindow())
      break;
    if (!IsWindowEnabled(w) || !HasStyle(w, WS_VISIBLE))
      return false;
  }
  return true;
}

const WindowName& LookUpName(std::wstring_view name) {
  for (const auto& known : kWindows) {
    if (known.name == name)
      return known;
  }
  Usage(L"unknown window " + std::wstring(name) + L" (principal or acercade)");
}

HWND FindTop(std::wstring_view name) {
  return FindWindowW(LookUpName(name).className, nullptr);
}

HWND RequireTop(std::wstring_view name) {
  HWND window = FindTop(name);
  if (window == nullptr)
    Fail(L"window " + std::wstring(name) + L" not found");
  return window;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM found) {
  reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
  return TRUE;
}

// Every control of the window, containers and their children included.
std::vector<HWND> Descendants(HWND top) {
  std::vector<HWND> found;
  EnumChildWindows(top, CollectChild, reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND FindControl(HWND top, int id) {
  for (HWND child : Descendants(top)) {
    if (GetDlgCtrlID(child) == id)
      return child;
  }
  return nullptr;
}

HWND RequireControl(std::wstring_view windowName, std::wstring_view idText) {
  const int id = ParseInt(idText, L"control id");
  HWND control = FindControl(RequireTop(windowName), id);
  if (control == nullptr) {
    Fail(L"no control " + std::to_wstring(id) + L" in " + std::wstring(windowName));
  }
  return control;
}

bool IsButtonClass(HWND window) {
  return _wcsicmp(ClassOf(window).c_str(), L"Button") == 0;
}

std::wstring ControlProperty(HWND control, std::wstring_view property) {
  if (property == L"class")
    return ClassOf(control);
  if (property == L"id")
    return std::to_wstring(GetDlgCtrlID(control));
  if (property == L"text")
    return TextOf(control);
  if (property == L"visible")
    return Flag(HasStyle(control, WS_VISIBLE));
  if (property == L"enabled")
    return Flag(IsWindowEnabled(control) != FALSE);
  if (property == L"usable")
    return Flag(Usable(control));
  if (property == L"check") {
    return IsButtonClass(control) ? std::to_wstring(Send(control, BM_GETCHECK, 0, 0)) : L"";
  }
  if (property == L"rect")
    return RectOf(control);
  Usage(L"unknown control property " + std::wstring(property));
}

std::wstring DescribeControl(HWND control) {
  std::wstring line =
      L"id=" + ControlProperty(control, L"id") + L" class=" + ControlProperty(control, L"class") +
      L" text=" + Quote(ControlProperty(control, L"text")) + L" visible=" +
      ControlProperty(control, L"visible") + L" enabled=" + ControlProperty(control, L"enabled") +
      L" usable=" + ControlProperty(control, L"usable");
  if (IsButtonClass(control))
    line += L" check=" + ControlProperty(control, L"check");
  return line + L" rect=" + ControlProperty(control, L"rect");
}

struct ClassCount {
  const wchar_t* className;
  int count;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM param) {
  auto* counting = reinterpret_cast<ClassCount*>(param);
  wchar_t buffer[256] = {};
  GetClassNameW(window, buffer, 256);
  if (std::wcscmp(buffer, counting->className) == 0)
    ++counting->count;
  return TRUE;
}

std::wstring WindowProperty(std::wstring_view name, std::wstring_view property) {
  if (property == L"count") {
    ClassCount counting{LookUpName(name).className, 0};
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&counting));
    return std::to_wstring(counting.count);
  }
  HWND window = FindTop(name);
  if (property == L"exists")
    return Flag(window != nullptr);
  if (window == nullptr)
    Fail(L"window " + std::wstring(name) + L" not found");
  if (property == L"visible")
    return Flag(IsWindowVisible(window) != FALSE);
  if (property == L"enabled")
    return Flag(IsWindowEnabled(window) != FALSE);
  if (property == L"caption")
    return TextOf(window);
  if (property == L"rect")
    return RectOf(window);
  Usage(L"unknown window property " + std::wstring(property));
}

// Matches * (any run) and ? (any one character).
bool GlobMatch(std::wstring_view pattern, std::wstring_view text) {
  std::size_t p = 0, t = 0, star = std::wstring_view::npos, resume = 0;
  while (t < text.size()) {
    if (p < pattern.size() && (pattern[p] == L'?' || pattern[p] == text[t])) {
      ++p;
      ++t;
    } else if (p < pattern.size() && pattern[p] == L'*') {
      star = p++;
      resume = t;
    } else if (star != std::wstring_view::npos) {
      p = star + 1;
      t = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == L'*')
    ++p;
  return p == pattern.size();
}

// Polls READ until it returns a value accepted by MATCHES or the time is up.
template <typename Read, typename Matches>
void WaitUntil(Read read, Matches matches, int timeoutMs, std::wstring_view what) {
  const DWORD start = GetTickCount();
  std::wstring last = L"(not read)";
  for (;;) {
    try {
      last = read();
      if (matches(last)) {
        Print(last);
        return;
      }
    } catch (const Failure& failure) {
      if (failure.code != 1)
        throw;
      last = L"(" + failure.reason + L")";
    }
    if (GetTickCount() - start >= static_cast<DWORD>(timeoutMs)) {
      Fail(L"timeout after " + std::to_wstring(timeoutMs) + L" ms waiting for " +
           std::wstring(what) + L"; last value " + Quote(last));
    }
    Sleep(kPollMs);
  }
}

// Lets this thread set the keyboard focus in the program's thread for a while.
class AttachedInput {
 public:
  explicit AttachedInput(HWND target)
      : mine_(GetCurrentThreadId()), theirs_(GetWindowThreadProcessId(target, nullptr)) {
    attached_ = mine_ != theirs_ && AttachThreadInput(mine_, theirs_, TRUE) != FALSE;
  }
  ~AttachedInput() {
    if (attached_)
      AttachThreadInput(mine_, theirs_, FALSE);
  }
  AttachedInput(const AttachedInput&) = delete;
  AttachedInput& operator=(const AttachedInput&) = delete;

 private:
  DWORD mine_;
  DWORD theirs_;
  bool attached_ = false;
};

void Focus(HWND control) {
  AttachedInput input(control);
  SetForegroundWindow(GetAncestor(control, GA_ROOT));
  SetFocus(control);
}

std::wstring Unescape(std::wstring_view text) {
  std::wstring out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    switch (text[++i]) {
      case L'b':
        out += L'\b';
        break;
      case L'r':
        out += L'\r';
        break;
      case L'\\':
        out += L'\\';
        break;
      default:
        Usage(L"unknown escape \\" + std::wstring(1, text[i]));
    }
  }
  return out;
}

void RequireUsable(HWND control) {
  if (!Usable(control)) {
    Fail(L"control " + std::to_wstring(GetDlgCtrlID(control)) +
         L" cannot be used (disabled or hidden)");
  }
}

void Click(HWND control) {
  RequireUsable(control);
  if (IsButtonClass(control)) {
    Send(control, BM_CLICK, 0, 0);
    return;
  }
  const auto id = static_cast<WORD>(GetDlgCtrlID(control));
  PostMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(control));
}

void Type(HWND control, std::wstring_view text) {
  RequireUsable(control);
  Focus(control);
  const auto end = static_cast<WPARAM>(Send(control, WM_GETTEXTLENGTH, 0, 0));
  Send(control, EM_SETSEL, end, static_cast<LPARAM>(end));
  for (const wchar_t c : text)
    Send(control, WM_CHAR, c, 1);
}

HWND FindMenu() {
  HWND menu = FindWindowW(L"#32768", nullptr);
  return menu != nullptr && IsWindowVisible(menu) ? menu : nullptr;
}

HWND RequireMenu() {
  HWND menu = FindMenu();
  if (menu == nullptr)
    Fail(L"no popup menu is open");
  return menu;
}

void PressKey(HWND window, UINT key) {
  PostMessageW(window, WM_KEYDOWN, key, 1);
  PostMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

struct ClassSearch {
  std::wstring className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectIfClass(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<ClassSearch*>(param);
  if (ClassOf(window) == search->className)
    search->found.push_back(window);
  return TRUE;
}

BOOL CALLBACK SearchTopAndChildren(HWND window, LPARAM param) {
  CollectIfClass(window, param);
  EnumChildWindows(window, CollectIfClass, param);
  return TRUE;
}

// Every window of the class: top-level windows and their descendants.
std::vector<HWND> FindAll(std::wstring_view className, bool topLevelOnly) {
  ClassSearch search{std::wstring(className), {}};
  EnumWindows(topLevelOnly ? CollectIfClass : SearchTopAndChildren,
              reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int CountVisibleTop(std::wstring_view className) {
  int count = 0;
  for (HWND window : FindAll(className, true)) {
    if (IsWindowVisible(window))
      ++count;
  }
  return count;
}

// The texts of the tooltips on show. A tooltip window answers WM_GETTEXT with
// the text it displays.
std::vector<std::wstring> VisibleTooltips() {
  std::vector<std::wstring> texts;
  for (HWND window : FindAll(L"tooltips_class32", true)) {
    if (IsWindowVisible(window))
      texts.push_back(TextOf(window));
  }
  return texts;
}

void List() {
  for (const auto& known : kWindows) {
    HWND top = FindWindowW(known.className, nullptr);
    if (top == nullptr) {
      Print(L"window=" + std::wstring(known.name) + L" exists=0");
      continue;
    }
    Print(L"window=" + std::wstring(known.name) + L" class=" + known.className + L" hwnd=" +
          Hex(top) + L" caption=" + Quote(TextOf(top)) + L" visible=" +
          Flag(IsWindowVisible(top) != FALSE) + L" enabled=" + Flag(IsWindowEnabled(top) != FALSE) +
          L" rect=" + RectOf(top));
    for (HWND child : Descendants(top)) {
      int depth = 0;
      for (HWND w = GetParent(child); w != nullptr && w != top; w = GetParent(w))
        ++depth;
      Print(std::wstring(static_cast<std::size_t>(2 + 2 * depth), L' ') + DescribeControl(child));
    }
  }
  if (HWND menu = FindMenu())
    Print(L"menu hwnd=" + Hex(menu) + L" rect=" + RectOf(menu));
}

// Registry keys under HKEY_CURRENT_USER that the program cannot write.
HKEY CreateUserKey(std::wstring_view path, DWORD options, REGSAM access) {
  HKEY key = nullptr;
  const LONG status = RegCreateKeyExW(HKEY_CURRENT_USER, std::wstring(path).c_str(), 0, nullptr,
                                      options, access, nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS)
    Fail(L"cannot create HKCU\\" + std::wstring(path) + L": error " + std::to_wstring(status));
  return key;
}

// Everyone may read the key and change its security; nobody may set a value
// or create a subkey (Wine enforces the first only).
void DenyRegistryWrites(std::wstring_view path) {
  HKEY key = CreateUserKey(path, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS);
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everyone = nullptr;
  if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone)) {
    RegCloseKey(key);
    Fail(L"AllocateAndInitializeSid failed");
  }
  EXPLICIT_ACCESSW entries[2] = {};
  entries[0].grfAccessPermissions = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | DELETE;
  entries[0].grfAccessMode = DENY_ACCESS;
  entries[1].grfAccessPermissions = KEY_READ | WRITE_DAC | READ_CONTROL;
  entries[1].grfAccessMode = SET_ACCESS;
  for (auto& entry : entries) {
    entry.grfInheritance = NO_INHERITANCE;
    entry.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    entry.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
    entry.Trustee.ptstrName = static_cast<LPWSTR>(everyone);
  }
  PACL acl = nullptr;
  DWORD status = SetEntriesInAclW(2, entries, nullptr, &acl);
  if (status == ERROR_SUCCESS) {
    status = SetSecurityInfo(key, SE_REGISTRY_KEY,
                             DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                             nullptr, nullptr, acl, nullptr);
  }
  LocalFree(acl);
  FreeSid(everyone);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS)
    Fail(L"cannot set the security of HKCU\\" + std::wstring(path) + L": error " +
         std::to_wstring(status));
}

// Everyone may wait on the mutex and nothing else; the handle returned to its
// creator keeps full access.
void HoldRestrictedMutex(std::wstring_view name, int milliseconds) {
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everyone = nullptr;
  if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone))
    Fail(L"AllocateAndInitializeSid failed");
  EXPLICIT_ACCESSW entry = {};
  entry.grfAccessPermissions = SYNCHRONIZE;
  entry.grfAccessMode = SET_ACCESS;
  entry.grfInheritance = NO_INHERITANCE;
  entry.Trustee.TrusteeForm = TRUSTEE_IS_SID;
  entry.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
  entry.Trustee.ptstrName = static_cast<LPWSTR>(everyone);
  PACL acl = nullptr;
  const DWORD status = SetEntriesInAclW(1, &entry, nullptr, &acl);
  FreeSid(everyone);
  if (status != ERROR_SUCCESS)
    Fail(L"SetEntriesInAcl failed: error " + std::to_wstring(status));
  SECURITY_DESCRIPTOR descriptor{};
  InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
  SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, FALSE};
  HANDLE mutex = CreateMutexW(&attributes, FALSE, std::wstring(name).c_str());
  const DWORD error = GetLastError();
  LocalFree(acl);
  if (mutex == nullptr)
    Fail(L"cannot create the mutex: error " + std::to_wstring(error));
  if (error == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    Fail(L"the mutex already exists");
  }
  Print(L"held");
  Sleep(static_cast<DWORD>(milliseconds));
  CloseHandle(mutex);
}

std::wstring ProbeMutex(std::wstring_view name) {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, std::wstring(name).c_str());
  const DWORD error = GetLastError();
  if (mutex == nullptr)
    return L"error " + std::to_wstring(error);
  CloseHandle(mutex);
  return error == ERROR_ALREADY_EXISTS ? L"exists" : L"created";
}

// The focus of the foreground window's thread, named by the program's window
// and the control's identifier.
std::wstring FocusedWindow() {
  HWND foreground = GetForegroundWindow();
  if (foreground == nullptr)
    return L"none";
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &info) ||
      info.hwndFocus == nullptr)
    return L"none";
  HWND top = GetAncestor(info.hwndFocus, GA_ROOT);
  for (const auto& known : kWindows) {
    if (ClassOf(top) == known.className) {
      const int id = info.hwndFocus == top ? 0 : GetDlgCtrlID(info.hwndFocus);
      return std::wstring(known.name) + L" " + std::to_wstring(id);
    }
  }
  return L"other " + ClassOf(info.hwndFocus);
}

void Run(const std::vector<std::wstring_view>& args) {
  const auto need = [&](std::size_t count, const wchar_t* usage) {
    if (args.size() != count)
      Usage(std::wstring(L"usage: ") + usage);
  };
  if (args.empty())
    Usage(L"usage: nocturo_driver COMMAND ... (see the source for the list)");
  const std::wstring_view command = args[0];

  if (command == L"list") {
    List();
  } else if (command == L"get" && (args.size() == 3 || args.size() == 4)) {
    HWND control = RequireControl(args[1], args[2]);
    Print(args.size() == 4 ? ControlProperty(control, args[3]) : DescribeControl(control));
  } else if (command == L"wait" || command == L"wait-like") {
    need(6, L"wait[-like] WINDOW ID PROPERTY VALUE TIMEOUT_MS");
    const std::wstring expected(args[4]);
    const bool glob = command == L"wait-like";
    WaitUntil([&] { return ControlProperty(RequireControl(args[1], args[2]), args[3]); },
              [&](const std::wstring& value) {
                return glob ? GlobMatch(expected, value) : value == expected;
              },
              ParseInt(args[5], L"timeout"), std::wstring(args[3]) + L" = " + Quote(expected));
  } else if (command == L"steady") {
    need(6, L"steady WINDOW ID PROPERTY VALUE DURATION_MS");
    const std::wstring expected(args[4]);
    const int duration = ParseInt(args[5], L"duration");
    const DWORD start = GetTickCount();
    do {
      const std::wstring value = ControlProperty(RequireControl(args[1], args[2]), args[3]);
      if (value != expected) {
        Fail(std::wstring(args[3]) + L" changed to " + Quote(value) + L" after " +
             std::to_wstring(GetTickCount() - start) + L" ms");
      }
      Sleep(kPollMs);
    } while (GetTickCount() - start < static_cast<DWORD>(duration));
    Print(expected);
  } else if (command == L"click") {
    need(3, L"click WINDOW ID");
    Click(RequireControl(args[1], args[2]));
  } else if (command == L"type") {
    need(4, L"type WINDOW ID TEXT");
    Type(RequireControl(args[1], args[2]), Unescape(args[3]));
  } else if (command == L"settext") {
    need(4, L"settext WINDOW ID TEXT");
    const std::wstring text(args[3]);
    Send(RequireControl(args[1], args[2]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  } else if (command == L"window") {
    need(3, L"window WINDOW exists|count|visible|enabled|caption|rect");
    Print(WindowProperty(args[1], args[2]));
  } else if (command == L"wait-window") {
    need(4, L"wait-window WINDOW visible|hidden|exists|gone TIMEOUT_MS");
    const std::wstring_view state = args[2];
    const bool wantsVisibility = state == L"visible" || state == L"hidden";
    if (!wantsVisibility && state != L"exists" && state != L"gone")
      Usage(L"unknown state");
    WaitUntil([&] { return WindowProperty(args[1], wantsVisibility ? L"visible" : L"exists"); },
              [&](const std::wstring& value) {
                return value == ((state == L"visible" || state == L"exists") ? L"1" : L"0");
              },
              ParseInt(args[3], L"timeout"), std::wstring(args[1]) + L" " + std::wstring(state));
  } else if (command == L"tray") {
    need(2, L"tray CODE");
    if (!PostMessageW(RequireTop(L"acercade"), WM_MOUSEMOVE, 1, ParseInt(args[1], L"code"))) {
      Fail(L"PostMessage failed");
    }
  } else if (command == L"taskbarcreated") {
    need(1, L"taskbarcreated");
    const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(HWND_BROADCAST, message, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &ignored);
  } else if (command == L"menu") {
    need(2, L"menu exists|rect|count");
    if (args[1] == L"exists") {
      Print(Flag(FindMenu() != nullptr));
    } else if (args[1] == L"count") {
      Print(std::to_wstring(CountVisibleTop(L"#32768")));
    } else if (args[1] == L"rect") {
      Print(RectOf(RequireMenu()));
    } else {
      Usage(L"unknown menu property");
    }
  } else if (command == L"wait-menu") {
    need(3, L"wait-menu open|closed TIMEOUT_MS");
    const bool open = args[1] == L"open";
    WaitUntil([] { return Flag(FindMenu() != nullptr); },
              [&](const std::wstring& value) { return value == Flag(open); },
              ParseInt(args[2], L"timeout"), L"menu " + std::wstring(args[1]));
  } else if (command == L"menu-select") {
    need(2, L"menu-select N");
    HWND menu = RequireMenu();
    const int item = ParseInt(args[1], L"item");
    for (int i = 0; i < item; ++i)
      PressKey(menu, VK_DOWN);
    PressKey(menu, VK_RETURN);
  } else if (command == L"menu-key") {
    need(2, L"menu-key CHAR");
    if (args[1].size() != 1)
      Usage(L"menu-key takes one character");
    PostMessageW(RequireMenu(), WM_CHAR, args[1][0], 1);
  } else if (command == L"find") {
    need(2, L"find CLASS");
    for (HWND window : FindAll(args[1], false)) {
      Print(L"hwnd=" + Hex(window) + L" visible=" + Flag(IsWindowVisible(window) != FALSE) +
            L" rect=" + RectOf(window) + L" caption=" + Quote(TextOf(window)));
    }
  } else if (command == L"tooltip") {
    need(1, L"tooltip");
    for (const std::wstring& text : VisibleTooltips())
      Print(text);
  } else if (command == L"wait-tooltip") {
    need(3, L"wait-tooltip GLOB TIMEOUT_MS");
    const std::wstring expected(args[1]);
    WaitUntil(
        [] {
          std::wstring joined;
          for (const std::wstring& text : VisibleTooltips())
            joined += (joined.empty() ? L"" : L"\n") + text;
          return joined;
        },
        [&](const std::wstring& joined) {
          std::size_t start = 0;
          while (start <= joined.size()) {
            const std::size_t end = std::min(joined.find(L'\n', start), joined.size());
            if (end > start && GlobMatch(expected, joined.substr(start, end - start)))
              return true;
            start = end + 1;
          }
          return false;
        },
        ParseInt(args[2], L"timeout"), L"a tooltip " + Quote(expected));
  } else if (command == L"move") {
    need(4, L"move WINDOW X Y");
    if (!SetWindowPos(RequireTop(args[1]), nullptr, ParseInt(args[2], L"x"),
                      ParseInt(args[3], L"y"), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)) {
      Fail(L"SetWindowPos failed");
    }
  } else if (command == L"reg-deny-write") {
    need(2, L"reg-deny-write KEY");
    DenyRegistryWrites(args[1]);
  } else if (command == L"hold-mutex") {
    need(3, L"hold-mutex NAME MS");
    HoldRestrictedMutex(args[1], ParseInt(args[2], L"duration"));
  } else if (command == L"mutex-probe") {
    need(2, L"mutex-probe NAME");
    Print(ProbeMutex(args[1]));
  } else if (command == L"focus") {
    need(1, L"focus");
    Print(FocusedWindow());
  } else if (command == L"reg-volatile") {
    need(2, L"reg-volatile KEY");
    RegCloseKey(CreateUserKey(args[1], REG_OPTION_VOLATILE, KEY_READ));
  } else {
    Usage(L"unknown command or wrong arguments: " + std::wstring(command));
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);  // "\n" line ends, UTF-8 bytes as they are
  try {
    std::vector<std::wstring_view> args;
    for (int i = 1; i <= argc; ++i) {
      if (i < argc && std::wstring_view(argv[i]) != L";") {
        args.emplace_back(argv[i]);
        continue;
      }
      if (!args.empty() || i == argc)
        Run(args);
      args.clear();
    }
    return 0;
  } catch (const Failure& failure) {
    const std::string line = Utf8(failure.reason) + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
    return failure.code;
  }
}
