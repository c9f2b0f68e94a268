// Drives a running Dravolin.exe through its window, as a user would, for the
// end-to-end tests: finds the dialog by its class, reads texts, sends commands
// and keys, and reports the dialog's place; it also lists registry values for
// the scenarios' before-and-after comparisons. Actions are separated by "+"
// and run in order, up to the first that fails: under emulation each start of
// a Wine process costs seconds, an action next to nothing. The exit code says
// whether all held (0) or not (1); 2 is a usage error.
#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/centring.h"
#include "app/text_catalogue.h"
#include "platform/win32/unique_handles.h"

namespace {

constexpr char kClassName[] = "VelmoDravolinClass";
// A first start in a fresh prefix under emulation, on a machine busy with
// other guests, has been seen to take over 15 s; waiting longer costs only
// where the window never comes.
constexpr DWORD kDefaultWaitMs = 90000;
constexpr DWORD kPollMs = 100;
constexpr int kTextCapacity = 64 * 1024;

// The dialog once it is ready: the class finds its window as soon as it is
// created, before its controls exist and their texts are set; the program
// shows it only after that.
HWND WaitForDialog(DWORD timeoutMs) {
    for (DWORD waited = 0;; waited += kPollMs) {
        HWND dialog = FindWindowA(kClassName, nullptr);
        if (dialog && IsWindowVisible(dialog)) return dialog;
        if (waited >= timeoutMs) return nullptr;
        Sleep(kPollMs);
    }
}

// The text of control `id`, or the window title for id 0.
std::string ReadText(HWND dialog, int id) {
    HWND window = id == 0 ? dialog : GetDlgItem(dialog, id);
    if (!window) return "<no control " + std::to_string(id) + ">";
    std::string text(kTextCapacity, '\0');
    const LRESULT length =
        SendMessageA(window, WM_GETTEXT, kTextCapacity, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void PrintEscaped(const char* label, const std::string& text) {
    std::printf("%s: \"", label);
    for (unsigned char c : text) {
        if (c == '\r') std::printf("\\r");
        else if (c == '\n') std::printf("\\n");
        else if (c == '\t') std::printf("\\t");
        else if (c < 0x20 || c >= 0x7F) std::printf("\\x%02X", c);
        else std::putchar(c);
    }
    std::printf("\"\n");
}

int ExpectText(HWND dialog, int id, int role, int language) {
    const std::string actual = ReadText(dialog, id);
    const std::string expected = app::CatalogueText(static_cast<app::TextRole>(role), language);
    if (actual == expected) return 0;
    std::printf("control %d does not show role %d of language %d\n", id, role, language);
    PrintEscaped("expected", expected);
    PrintEscaped("actual  ", actual);
    return 1;
}

// Where the dialog is, where it should be, and whether it is topmost.
int ExpectPlaced(HWND dialog) {
    RECT rect;
    GetWindowRect(dialog, &rect);
    const app::ScreenPoint expected =
        app::CentrePosition({rect.left, rect.top, rect.right, rect.bottom},
                            GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN));
    const bool topmost = (GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    const bool visible = IsWindowVisible(dialog) != FALSE;
    std::printf("at %ld,%ld expected %d,%d topmost %d visible %d\n", rect.left, rect.top,
                expected.x, expected.y, topmost, visible);
    return rect.left == expected.x && rect.top == expected.y && topmost && visible ? 0 : 1;
}

// The restart prompt: a message box owned by the dialog, found by its caption.
HWND FindPrompt(HWND dialog, int language) {
    const char* caption = app::CatalogueText(app::TEXT_CONFIRM_CAPTION, language);
    for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", caption); w;
         w = FindWindowExA(nullptr, w, "#32770", caption)) {
        if (GetWindow(w, GW_OWNER) == dialog) return w;
    }
    return nullptr;
}

// The message text of a message box: its static control with the longest text.
std::string PromptText(HWND prompt) {
    std::string longest;
    for (HWND child = FindWindowExA(prompt, nullptr, "Static", nullptr); child;
         child = FindWindowExA(prompt, child, "Static", nullptr)) {
        std::string text = ReadText(child, 0);
        if (text.size() > longest.size()) longest = text;
    }
    return longest;
}

// Waits until the dialog's thread handles messages again, after a command.
bool WaitUntilIdle(HWND dialog, DWORD timeoutMs) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &ignored) != 0;
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

// A program of the tool's folder with a window open, for the guard to find.
int ShowWindowFor(const char* title, DWORD seconds) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PlainWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "DravolinTestWindow";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("DravolinTestWindow", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                                200, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window) return 1;
    SetTimer(window, 1, seconds * 1000, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER) DestroyWindow(window);
        DispatchMessageA(&message);
    }
    return 0;
}

// What Windows tells the running program about its version: Windows answers
// each program after its manifest, so the question is asked inside the
// program's own process, by its own GetVersion on a thread of its own (the
// return value is the thread's exit code). kernel32 lies at one address in
// every process of a session.
int ExpectVersion(HWND dialog, int major, int minor) {
    DWORD processId = 0;
    GetWindowThreadProcessId(dialog, &processId);
    const platform::win32::UniqueProcess process(
        OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                        PROCESS_VM_WRITE | PROCESS_VM_READ,
                    FALSE, processId));
    const auto getVersion = platform::win32::LookUp<LPTHREAD_START_ROUTINE>(
        GetModuleHandleA("kernel32.dll"), "GetVersion");
    if (!process.Valid() || !getVersion) return 1;
    const platform::win32::UniqueKernelObject thread(
        CreateRemoteThread(process.Get(), nullptr, 0, getVersion, nullptr, 0, nullptr));
    DWORD version = 0;
    if (!thread.Valid() || WaitForSingleObject(thread.Get(), kDefaultWaitMs) != WAIT_OBJECT_0 ||
        !GetExitCodeThread(thread.Get(), &version)) {
        std::printf("could not ask the program for its version\n");
        return 1;
    }
    const int seenMajor = LOBYTE(LOWORD(version));
    const int seenMinor = HIBYTE(LOWORD(version));
    std::printf("the program sees Windows %d.%d\n", seenMajor, seenMinor);
    return seenMajor == major && seenMinor == minor ? 0 : 1;
}

// Whether the running program loaded module `name` from a path that holds
// `part` (letter case ignored).
int ExpectModule(HWND dialog, const char* name, const char* part) {
    DWORD processId = 0;
    GetWindowThreadProcessId(dialog, &processId);
    const platform::win32::UniqueSnapshot snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
    if (!snapshot.Valid()) return 1;
    auto lower = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return text;
    };
    MODULEENTRY32 module = {};
    module.dwSize = sizeof(module);
    for (BOOL more = Module32First(snapshot.Get(), &module); more; more = Module32Next(snapshot.Get(), &module)) {
        if (lower(module.szModule) != lower(name)) continue;
        std::printf("%s from %s\n", module.szModule, module.szExePath);
        return lower(module.szExePath).find(lower(part)) != std::string::npos ? 0 : 1;
    }
    std::printf("the program has not loaded %s\n", name);
    return 1;
}

int CountDialogs() {
    int count = 0;
    for (HWND w = FindWindowExA(nullptr, nullptr, kClassName, nullptr); w;
         w = FindWindowExA(nullptr, w, kClassName, nullptr)) {
        ++count;
    }
    return count;
}


int Usage() {
    std::fprintf(stderr,
                 "usage: driver find [ms] | gone [ms] | count N | text ID | raw-text ID |\n"
                 "       expect-text ID ROLE LANGUAGE | command ID | post-command ID |\n"
                 "       key-escape | close-box | expect-placed | move-away | wait-idle [ms] |\n"
                 "       expect-prompt LANGUAGE | no-prompt LANGUAGE | answer-prompt LANGUAGE ID |\n"
                 "       show-window TITLE SECONDS | values [/reg:32|/reg:64] KEY... |\n"
                 "       expect-version MAJOR MINOR | expect-module NAME PATH-PART\n"
                 "       (several actions: ACTION ARGS + ACTION ARGS ...)\n");
    return 2;
}

// Prints every value below `path` as lines "MARK|name=type:data", MARK being
// `mark` and the path below it, in lower case (a key put back may be named in
// other case than it was), strings as text, anything else as hex bytes.
// Nothing when the key is missing.
void PrintValues(HKEY root, const std::string& path, REGSAM view, const std::string& mark) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, &opened) != ERROR_SUCCESS) return;
    const platform::win32::UniqueKey key(opened);
    std::vector<char> name(16384);
    std::vector<BYTE> data(1024);
    for (DWORD index = 0;;) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD type = 0;
        DWORD dataLength = static_cast<DWORD>(data.size());
        const LONG result =
            RegEnumValueA(key.Get(), index, name.data(), &nameLength, nullptr, &type, data.data(), &dataLength);
        if (result == ERROR_MORE_DATA) {
            data.resize(std::max<std::size_t>(dataLength, data.size() * 2));
            continue;
        }
        if (result != ERROR_SUCCESS) break;
        ++index;
        std::string line = mark + "|" + std::string(name.data(), nameLength) + "=" + std::to_string(type) + ":";
        const bool text = type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
        for (DWORD i = 0; i < dataLength; ++i) {
            if (text) {
                line += data[i] ? static_cast<char>(data[i]) : '|';
            } else {
                char hex[3];
                std::snprintf(hex, sizeof hex, "%02x", data[i]);
                line += hex;
            }
        }
        std::transform(line.begin(), line.end(), line.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        std::printf("%s\n", line.c_str());
    }
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        if (RegEnumKeyExA(key.Get(), index, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        const std::string subkey(name.data(), nameLength);
        PrintValues(root, path + "\\" + subkey, view, mark + "\\" + subkey);
    }
}

// values [/reg:32|/reg:64] KEY...: the view, when named, marks every line.
int ListValues(int argc, char** argv) {
    int first = 2;
    REGSAM view = 0;
    std::string mark;
    if (argc > 2 && (std::strcmp(argv[2], "/reg:32") == 0 || std::strcmp(argv[2], "/reg:64") == 0)) {
        view = std::strcmp(argv[2], "/reg:32") == 0 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
        mark = std::string(argv[2]) + " ";
        first = 3;
    }
    for (int i = first; i < argc; ++i) {
        const std::string path = argv[i];
        const std::size_t slash = path.find('\\');
        const std::string rootName = path.substr(0, slash);
        HKEY root = rootName == "HKEY_LOCAL_MACHINE"  ? HKEY_LOCAL_MACHINE
                    : rootName == "HKEY_CURRENT_USER" ? HKEY_CURRENT_USER
                                                      : nullptr;
        if (!root || slash == std::string::npos) return Usage();
        PrintValues(root, path.substr(slash + 1), view, mark + path);
    }
    return 0;
}

int RunAction(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::string action = argv[1];
    auto arg = [&](int i) { return i < argc ? std::atoi(argv[i]) : 0; };

    if (action == "find") return WaitForDialog(argc > 2 ? arg(2) : kDefaultWaitMs) ? 0 : 1;
    if (action == "gone") {
        const DWORD timeout = argc > 2 ? arg(2) : kDefaultWaitMs;
        for (DWORD waited = 0; FindWindowA(kClassName, nullptr); waited += kPollMs) {
            if (waited >= timeout) return 1;
            Sleep(kPollMs);
        }
        return 0;
    }
    if (action == "values") return ListValues(argc, argv);
    if (action == "show-window" && argc == 4) return ShowWindowFor(argv[2], static_cast<DWORD>(arg(3)));
    if (action == "count") {
        const int count = CountDialogs();
        std::printf("%d dialog(s)\n", count);
        return count == arg(2) ? 0 : 1;
    }

    HWND dialog = WaitForDialog(kDefaultWaitMs);
    if (!dialog) {
        std::printf("no window of class %s\n", kClassName);
        return 1;
    }
    if (action == "text") {
        PrintEscaped("text", ReadText(dialog, arg(2)));
        return 0;
    }
    if (action == "raw-text") {  // the bytes as they are, for a person to read
        const std::string text = ReadText(dialog, arg(2));
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
    if (action == "expect-text" && argc == 5) return ExpectText(dialog, arg(2), arg(3), arg(4));
    if (action == "command") {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(arg(2), 0), 0);
        return 0;
    }
    if (action == "post-command") return PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(arg(2), 0), 0) ? 0 : 1;
    if (action == "key-escape") {
        // Keys reach the dialog through its message loop, as typed keys do.
        HWND target = GetDlgItem(dialog, IDCANCEL) ? GetDlgItem(dialog, IDCANCEL) : GetDlgItem(dialog, 1000);
        PostMessageA(target ? target : dialog, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        PostMessageA(target ? target : dialog, WM_KEYUP, VK_ESCAPE, 0xC0010001);
        return 0;
    }
    if (action == "wait-idle") return WaitUntilIdle(dialog, argc > 2 ? arg(2) : 120000) ? 0 : 1;
    if (action == "expect-prompt" && argc == 3) {
        // After a changing sweep the prompt comes up with the restart text.
        for (DWORD waited = 0; waited < 120000; waited += kPollMs) {
            if (HWND prompt = FindPrompt(dialog, arg(2))) {
                const std::string expected = app::CatalogueText(app::TEXT_RESTART_REQUIRED, arg(2));
                const std::string actual = PromptText(prompt);
                if (actual == expected) return 0;
                PrintEscaped("prompt expected", expected);
                PrintEscaped("prompt actual  ", actual);
                return 1;
            }
            Sleep(kPollMs);
        }
        std::printf("no restart prompt\n");
        return 1;
    }
    if (action == "no-prompt" && argc == 3) {
        if (!WaitUntilIdle(dialog, 120000)) return 1;
        return FindPrompt(dialog, arg(2)) ? 1 : 0;
    }
    if (action == "answer-prompt" && argc == 4) {
        // Done once the box is gone: until then the dialog's thread runs the
        // box's loop, which would take a next command as well.
        HWND prompt = FindPrompt(dialog, arg(2));
        if (!prompt || !PostMessageA(prompt, WM_COMMAND, MAKEWPARAM(arg(3), BN_CLICKED), 0)) return 1;
        for (DWORD waited = 0; IsWindow(prompt); waited += kPollMs) {
            if (waited >= kDefaultWaitMs) return 1;
            Sleep(kPollMs);
        }
        return 0;
    }
    if (action == "close-box") return PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : 1;
    if (action == "expect-placed") return ExpectPlaced(dialog);
    if (action == "expect-version" && argc == 4) return ExpectVersion(dialog, arg(2), arg(3));
    if (action == "expect-module" && argc == 4) return ExpectModule(dialog, argv[2], argv[3]);
    if (action == "move-away") {
        return SetWindowPos(dialog, HWND_NOTOPMOST, 3, 5, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE) ? 0 : 1;
    }
    return Usage();
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<char*> words{argv[0]};
    for (int i = 1; i <= argc; ++i) {
        if (i < argc && std::strcmp(argv[i], "+") != 0) {
            words.push_back(argv[i]);
            continue;
        }
        if (const int result = RunAction(static_cast<int>(words.size()), words.data())) return result;
        words.resize(1);
    }
    return 0;
}
