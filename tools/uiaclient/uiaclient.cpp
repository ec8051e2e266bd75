// A UI Automation client, as a screen reader on Windows is one: it finds a
// top-level window by its title and prints the names of the buttons that UI
// Automation finds in it, one a line, in UTF-8, through the flat API of
// uiautomationcore.dll (UiaNodeFromHandle, UiaFind, UiaGetPropertyValue),
// which both Windows and Wine have (Wine 8.0 has no COM client,
// CUIAutomation). It tries again for up to SECONDS (30) while the window is
// missing or shows no buttons yet, then exits 1, naming the call that
// failed last and its HRESULT. A call that does not return within a minute
// ends the client with status 3, named as the one that hangs. Plain Win32:
// nothing of Qt.
//   usage: uiaclient [--wait SECONDS] [--window] TITLE
// With --window it prints, instead of the buttons, the window's own element
// as its provider describes it, one NAME=VALUE a line: Name, ControlType,
// FrameworkId ("Qt" from Qt's provider) and ClassName.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <oleauto.h>

#include <atomic>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// UI Automation's flat API as the Windows SDK declares it: Debian's
// MinGW-w64 UIAutomationCoreApi.h does not compile as C++.
using PROPERTYID = int;
using PATTERNID = int;
using HUIANODE = struct UiaNode *;
constexpr PROPERTYID controlTypeProperty = 30003;
constexpr PROPERTYID nameProperty = 30005;
constexpr PROPERTYID classNameProperty = 30012;
constexpr PROPERTYID frameworkIdProperty = 30024;
constexpr int buttonControlType = 50000;
constexpr int treeScopeElement = 0x1;

// The flat API's structures; uiautomationcore.dll exports its functions, and
// is loaded when needed, since MinGW-w64 has no import library for it.
enum { conditionTrue = 0, conditionProperty = 2 };
struct UiaCondition
{
    int conditionType;
};
struct UiaPropertyCondition
{
    int conditionType;
    PROPERTYID propertyId;
    VARIANT value;
    int flags;
};
struct UiaCacheRequest
{
    UiaCondition *viewCondition;
    int scope;
    PROPERTYID *properties;
    int propertyCount;
    PATTERNID *patterns;
    int patternCount;
    int elementMode;
};
struct UiaFindParams
{
    int maxDepth;
    BOOL findFirst;
    BOOL excludeRoot;
    UiaCondition *findCondition;
};
using NodeFromHandle = HRESULT(WINAPI *)(HWND, HUIANODE *);
using Find = HRESULT(WINAPI *)(HUIANODE, UiaFindParams *, UiaCacheRequest *, SAFEARRAY **,
                               SAFEARRAY **, SAFEARRAY **);
using NodeFromVariant = HRESULT(WINAPI *)(VARIANT *, HUIANODE *);
using GetPropertyValue = HRESULT(WINAPI *)(HUIANODE, PROPERTYID, VARIANT *);
using NodeRelease = BOOL(WINAPI *)(HUIANODE);

// The call that failed last, for the message at the end.
struct Failure
{
    std::string call;
    HRESULT result = S_OK;
};

std::string utf8(const wchar_t *text, int length = -1)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(size > 0 ? size : 0, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), size, nullptr, nullptr);
    if (length < 0 && !out.empty())
        out.pop_back(); // the terminating NUL
    return out;
}

// The name in a property's value: a button without a name is printed as an
// empty line, so that it is counted and seen.
std::string nameOf(const VARIANT &value)
{
    if (value.vt != VT_BSTR || !value.bstrVal)
        return std::string();
    return utf8(value.bstrVal, static_cast<int>(SysStringLen(value.bstrVal)));
}

// The call under way, for the watchdog in wmain(): a call into another
// process that never returns is a failure of its own.
std::atomic<const char *> callUnderWay{nullptr};
std::atomic<ULONGLONG> callStarted{0};

template <typename Call> bool failed(const char *name, Call call, Failure &failure)
{
    callStarted = GetTickCount64();
    callUnderWay = name;
    const HRESULT result = call();
    callUnderWay = nullptr;
    if (SUCCEEDED(result))
        return false;
    failure = {name, result};
    return true;
}

// The window's own element, for --window.
template <typename Get>
std::vector<std::string> ownProperties(const char *call, Get get, Failure &failure)
{
    static const struct
    {
        PROPERTYID id;
        const char *name;
    } properties[] = {{nameProperty, "Name"},
                      {controlTypeProperty, "ControlType"},
                      {frameworkIdProperty, "FrameworkId"},
                      {classNameProperty, "ClassName"}};
    std::vector<std::string> lines;
    bool answered = false; // an element with no provider yet has only empty values
    for (const auto &property : properties) {
        VARIANT value;
        VariantInit(&value);
        if (failed(
                call, [&] { return get(property.id, &value); }, failure))
            return {};
        const std::string text = value.vt == VT_I4 ? std::to_string(value.lVal) : nameOf(value);
        answered = answered || !text.empty();
        lines.push_back(std::string(property.name) + "=" + text);
        VariantClear(&value);
    }
    if (!answered)
        failure = {std::string(call) + ": every property empty", S_OK};
    return answered ? lines : std::vector<std::string>();
}

// Through the flat API: the window's node, every button below it (UiaFind
// in the raw view), and each one's name.
std::vector<std::string> buttons(HWND window, bool own, Failure &failure)
{
    std::vector<std::string> names;
    HMODULE core = LoadLibraryW(L"uiautomationcore.dll");
    if (!core) {
        failure = {"LoadLibrary(uiautomationcore.dll)", HRESULT_FROM_WIN32(GetLastError())};
        return names;
    }
    auto resolve
        = [core](const char *name) { return reinterpret_cast<void *>(GetProcAddress(core, name)); };
    const auto nodeFromHandle = reinterpret_cast<NodeFromHandle>(resolve("UiaNodeFromHandle"));
    const auto find = reinterpret_cast<Find>(resolve("UiaFind"));
    const auto nodeFromVariant
        = reinterpret_cast<NodeFromVariant>(resolve("UiaHUiaNodeFromVariant"));
    const auto getPropertyValue
        = reinterpret_cast<GetPropertyValue>(resolve("UiaGetPropertyValue"));
    const auto nodeRelease = reinterpret_cast<NodeRelease>(resolve("UiaNodeRelease"));
    if (!nodeFromHandle || !find || !nodeFromVariant || !getPropertyValue || !nodeRelease) {
        failure = {"GetProcAddress(uiautomationcore.dll, Uia...)", E_NOTIMPL};
        return names;
    }

    HUIANODE root = nullptr;
    UiaPropertyCondition isButton = {conditionProperty, controlTypeProperty, {}, 0};
    VariantInit(&isButton.value);
    isButton.value.vt = VT_I4;
    isButton.value.lVal = buttonControlType;
    UiaCondition rawView = {conditionTrue};
    UiaCacheRequest request = {&rawView, treeScopeElement, nullptr, 0, nullptr, 0, 1};
    UiaFindParams params = {-1, FALSE, TRUE, reinterpret_cast<UiaCondition *>(&isButton)};
    SAFEARRAY *data = nullptr, *offsets = nullptr, *structures = nullptr;
    const bool foundRoot = !failed(
        "UiaNodeFromHandle", [&] { return nodeFromHandle(window, &root); }, failure);
    if (foundRoot && own) {
        names = ownProperties(
            "UiaGetPropertyValue",
            [&](PROPERTYID id, VARIANT *value) { return getPropertyValue(root, id, value); },
            failure);
    } else if (foundRoot
               && !failed(
                   "UiaFind",
                   [&] { return find(root, &params, &request, &data, &offsets, &structures); },
                   failure)) {
        // With no properties asked for, every cell of the requested data is
        // a found node, whichever way its two dimensions lie.
        LONG rows = -1, columns = -1;
        if (data) {
            SafeArrayGetUBound(data, 1, &rows);
            SafeArrayGetUBound(data, 2, &columns);
        }
        for (LONG row = 0; row <= rows; ++row) {
            for (LONG column = 0; column <= columns; ++column) {
                LONG index[2] = {row, column};
                VARIANT cell, name;
                VariantInit(&cell);
                VariantInit(&name);
                HUIANODE node = nullptr;
                if (!failed(
                        "SafeArrayGetElement",
                        [&] { return SafeArrayGetElement(data, index, &cell); }, failure)
                    && !failed(
                        "UiaHUiaNodeFromVariant", [&] { return nodeFromVariant(&cell, &node); },
                        failure)
                    && !failed(
                        "UiaGetPropertyValue(Name)",
                        [&] { return getPropertyValue(node, nameProperty, &name); }, failure))
                    names.push_back(nameOf(name));
                if (node)
                    nodeRelease(node);
                VariantClear(&name);
                VariantClear(&cell);
            }
        }
        if (rows < 0)
            failure = {"UiaFind (no buttons among the descendants)", S_OK};
    }
    for (SAFEARRAY *array : {data, offsets, structures})
        if (array)
            SafeArrayDestroy(array);
    if (root)
        nodeRelease(root);
    return names;
}

void say(const std::string &text)
{
    fprintf(stderr, "uiaclient: %s\n", text.c_str());
}

std::string describe(const Failure &failure)
{
    char result[40];
    snprintf(result, sizeof result, " (HRESULT 0x%08lx)",
             static_cast<unsigned long>(failure.result));
    return failure.call + result;
}

struct Options
{
    bool window = false;
    int seconds = 30;
    const wchar_t *title = nullptr;
};

// Each round until something is read; what failed last is said at the end.
DWORD WINAPI readWindow(void *argument)
{
    const Options &options = *static_cast<const Options *>(argument);
    const HRESULT initialized = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (FAILED(initialized)) {
        say(describe({"CoInitializeEx", initialized}));
        return 1;
    }
    const ULONGLONG deadline = GetTickCount64() + 1000ULL * options.seconds;
    Failure failure;
    std::vector<std::string> names;
    for (;;) {
        if (HWND window = FindWindowW(nullptr, options.title)) {
            failure = {};
            names = buttons(window, options.window, failure);
            if (!names.empty())
                break;
        } else {
            failure = {"FindWindowW: no window titled " + utf8(options.title),
                       HRESULT_FROM_WIN32(ERROR_NOT_FOUND)};
        }
        if (GetTickCount64() >= deadline)
            break;
        Sleep(250);
    }
    CoUninitialize();
    if (names.empty()) {
        say("nothing read after " + std::to_string(options.seconds)
            + " seconds: " + describe(failure));
        return 1;
    }
    for (const std::string &name : names)
        printf("%s\n", name.c_str());
    fflush(stdout);
    say(options.window ? "read the window's element"
                       : "read " + std::to_string(names.size()) + " buttons");
    return 0;
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    Options options;
    int at = 1;
    for (; at < argc && argv[at][0] == L'-'; ++at) {
        if (wcscmp(argv[at], L"--window") == 0)
            options.window = true;
        else if (wcscmp(argv[at], L"--wait") == 0 && at + 1 < argc)
            options.seconds = _wtoi(argv[++at]);
        else
            break;
    }
    if (at + 1 != argc || options.seconds < 0) {
        say("usage: uiaclient [--wait SECONDS] [--window] TITLE");
        return 2;
    }
    options.title = argv[at];
    _setmode(_fileno(stdout), _O_BINARY);

    // The reading in a thread of its own, watched from here: a call that
    // hangs ends the process, since it cannot be taken back.
    HANDLE reader = CreateThread(nullptr, 0, readWindow, &options, 0, nullptr);
    if (!reader) {
        say(describe({"CreateThread", HRESULT_FROM_WIN32(GetLastError())}));
        return 1;
    }
    constexpr ULONGLONG hangs = 60000;
    while (WaitForSingleObject(reader, 250) == WAIT_TIMEOUT) {
        const char *call = callUnderWay;
        if (call && GetTickCount64() - callStarted > hangs) {
            say(std::string(call) + " did not return within " + std::to_string(hangs / 1000)
                + " seconds");
            fflush(stderr);
            TerminateProcess(GetCurrentProcess(), 3);
        }
    }
    DWORD status = 1;
    GetExitCodeThread(reader, &status);
    CloseHandle(reader);
    return static_cast<int>(status);
}
