// A UI Automation client, as a screen reader on Windows is one: it finds a
// top-level window by its title and prints the names of the buttons that UI
// Automation finds in it, one a line, in UTF-8. It reads them through the
// COM client (IUIAutomation) and, where that reads none or with --raw,
// through the flat API (UiaNodeFromHandle, UiaFind, UiaGetPropertyValue),
// and says on stderr which one gave them. It tries again for up to SECONDS
// (30) while the window is missing or shows no buttons yet (a program that
// is starting has no accessibility tree), then exits 1, naming for each way
// the call that failed last and its HRESULT. A call that does not return
// within a minute ends the client with status 3, named as the one that
// hangs. Plain Win32 and COM: nothing of Qt.
//   usage: uiaclient [--raw] [--wait SECONDS] [--window] TITLE
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

// UI Automation as the Windows SDK declares it. Debian's MinGW-w64 headers
// leave the client's interfaces out, and their UIAutomationCoreApi.h does
// not compile as C++. Of the interfaces, only the methods up to the last
// one used: the rest of the table is not called.
using PROPERTYID = int;
using PATTERNID = int;
using HUIANODE = struct UiaNode *;
constexpr PROPERTYID controlTypeProperty = 30003;
constexpr PROPERTYID nameProperty = 30005;
constexpr PROPERTYID classNameProperty = 30012;
constexpr PROPERTYID frameworkIdProperty = 30024;
constexpr int buttonControlType = 50000;
constexpr int treeScopeElement = 0x1;
constexpr int treeScopeDescendants = 0x4;

const GUID clsidCUIAutomation
    = {0xff48dba4, 0x60ef, 0x4201, {0xaa, 0x87, 0x54, 0x10, 0x3e, 0xef, 0x59, 0x4e}};
const GUID iidIUIAutomation
    = {0x30cbe57d, 0xd9d0, 0x452a, {0xab, 0x13, 0x7a, 0xc5, 0xac, 0x48, 0x25, 0xee}};

struct IUIAutomationCondition : IUnknown
{
};

struct IUIAutomationElementArray;

struct IUIAutomationElement : IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE SetFocus() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRuntimeId(SAFEARRAY **runtimeId) = 0;
    virtual HRESULT STDMETHODCALLTYPE FindFirst(int scope, IUIAutomationCondition *condition,
                                                IUIAutomationElement **found)
        = 0;
    virtual HRESULT STDMETHODCALLTYPE FindAll(int scope, IUIAutomationCondition *condition,
                                              IUIAutomationElementArray **found)
        = 0;
    virtual HRESULT STDMETHODCALLTYPE FindFirstBuildCache(int, IUIAutomationCondition *, IUnknown *,
                                                          IUIAutomationElement **)
        = 0;
    virtual HRESULT STDMETHODCALLTYPE FindAllBuildCache(int, IUIAutomationCondition *, IUnknown *,
                                                        IUIAutomationElementArray **)
        = 0;
    virtual HRESULT STDMETHODCALLTYPE BuildUpdatedCache(IUnknown *, IUIAutomationElement **) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentPropertyValue(PROPERTYID propertyId, VARIANT *value)
        = 0;
};

struct IUIAutomationElementArray : IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE get_Length(int *length) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetElement(int index, IUIAutomationElement **element) = 0;
};

struct IUIAutomation : IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE CompareElements(IUIAutomationElement *,
                                                      IUIAutomationElement *, BOOL *)
        = 0;
    virtual HRESULT STDMETHODCALLTYPE CompareRuntimeIds(SAFEARRAY *, SAFEARRAY *, BOOL *) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRootElement(IUIAutomationElement **) = 0;
    virtual HRESULT STDMETHODCALLTYPE ElementFromHandle(HWND hwnd, IUIAutomationElement **element)
        = 0;
    virtual HRESULT STDMETHODCALLTYPE ElementFromPoint(POINT, IUIAutomationElement **) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetFocusedElement(IUIAutomationElement **) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRootElementBuildCache(IUnknown *, IUIAutomationElement **)
        = 0;
    virtual HRESULT STDMETHODCALLTYPE ElementFromHandleBuildCache(HWND, IUnknown *,
                                                                  IUIAutomationElement **)
        = 0;
    virtual HRESULT STDMETHODCALLTYPE ElementFromPointBuildCache(POINT, IUnknown *,
                                                                 IUIAutomationElement **)
        = 0;
    virtual HRESULT STDMETHODCALLTYPE GetFocusedElementBuildCache(IUnknown *,
                                                                  IUIAutomationElement **)
        = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateTreeWalker(IUIAutomationCondition *, IUnknown **) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ControlViewWalker(IUnknown **) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ContentViewWalker(IUnknown **) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_RawViewWalker(IUnknown **) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_RawViewCondition(IUIAutomationCondition **) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ControlViewCondition(IUIAutomationCondition **) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ContentViewCondition(IUIAutomationCondition **) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateCacheRequest(IUnknown **) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateTrueCondition(IUIAutomationCondition **) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateFalseCondition(IUIAutomationCondition **) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreatePropertyCondition(PROPERTYID propertyId, VARIANT value,
                                                              IUIAutomationCondition **condition)
        = 0;
};

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

template <typename T> void release(T *&p)
{
    if (p)
        p->Release();
    p = nullptr;
}

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

// Through the COM client. Sets comMissing when CUIAutomation cannot be made
// at all, as opposed to its reading nothing.
std::vector<std::string> comButtons(HWND window, bool own, Failure &failure, bool &comMissing)
{
    std::vector<std::string> names;
    IUIAutomation *automation = nullptr;
    IUIAutomationElement *root = nullptr;
    IUIAutomationCondition *condition = nullptr;
    IUIAutomationElementArray *found = nullptr;
    VARIANT button;
    VariantInit(&button);
    button.vt = VT_I4;
    button.lVal = buttonControlType;
    int length = 0;
    comMissing = failed(
        "CoCreateInstance(CLSID_CUIAutomation)",
        [&] {
            return CoCreateInstance(clsidCUIAutomation, nullptr, CLSCTX_INPROC_SERVER,
                                    iidIUIAutomation, reinterpret_cast<void **>(&automation));
        },
        failure);
    const bool foundRoot = !comMissing
        && !failed(
            "IUIAutomation::ElementFromHandle",
            [&] { return automation->ElementFromHandle(window, &root); }, failure);
    if (foundRoot && own) {
        names = ownProperties(
            "IUIAutomationElement::GetCurrentPropertyValue",
            [root](PROPERTYID id, VARIANT *value) {
                return root->GetCurrentPropertyValue(id, value);
            },
            failure);
    } else if (foundRoot
               && !failed(
                   "IUIAutomation::CreatePropertyCondition",
                   [&] {
                       return automation->CreatePropertyCondition(controlTypeProperty, button,
                                                                  &condition);
                   },
                   failure)
               && !failed(
                   "IUIAutomationElement::FindAll",
                   [&] { return root->FindAll(treeScopeDescendants, condition, &found); }, failure)
               && !failed(
                   "IUIAutomationElementArray::get_Length",
                   [&] { return found ? found->get_Length(&length) : E_POINTER; }, failure)) {
        for (int i = 0; i < length; ++i) {
            IUIAutomationElement *element = nullptr;
            VARIANT name;
            VariantInit(&name);
            if (!failed(
                    "IUIAutomationElementArray::GetElement",
                    [&] { return found->GetElement(i, &element); }, failure)
                && !failed(
                    "IUIAutomationElement::GetCurrentPropertyValue(Name)",
                    [&] { return element->GetCurrentPropertyValue(nameProperty, &name); }, failure))
                names.push_back(nameOf(name));
            VariantClear(&name);
            release(element);
        }
        if (length == 0)
            failure = {"IUIAutomationElement::FindAll (no buttons among the descendants)", S_OK};
    }
    release(found);
    release(condition);
    release(root);
    release(automation);
    return names;
}

// Through the flat API: the window's node, every button below it (UiaFind
// in the raw view), and each one's name.
std::vector<std::string> rawButtons(HWND window, bool own, Failure &failure)
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
    bool raw = false;
    bool window = false;
    int seconds = 30;
    const wchar_t *title = nullptr;
};

// The COM client first, then the flat API, each round until one of them
// reads something; what each failed with last is said at the end.
DWORD WINAPI readWindow(void *argument)
{
    const Options &options = *static_cast<const Options *>(argument);
    const HRESULT initialized = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (FAILED(initialized)) {
        say(describe({"CoInitializeEx", initialized}));
        return 1;
    }
    const ULONGLONG deadline = GetTickCount64() + 1000ULL * options.seconds;
    Failure com = {"not tried (--raw)", S_OK}, flat;
    std::vector<std::string> names;
    bool byCom = false, comMissing = false;
    for (;;) {
        if (HWND window = FindWindowW(nullptr, options.title)) {
            if (!options.raw && !comMissing) {
                com = {};
                names = comButtons(window, options.window, com, comMissing);
                byCom = !names.empty();
                if (comMissing)
                    say("through IUIAutomation: " + describe(com) + "; on through the flat API");
            }
            if (names.empty()) {
                flat = {};
                names = rawButtons(window, options.window, flat);
            }
            if (!names.empty())
                break;
        } else {
            com = flat = {"FindWindowW: no window titled " + utf8(options.title),
                          HRESULT_FROM_WIN32(ERROR_NOT_FOUND)};
        }
        if (GetTickCount64() >= deadline)
            break;
        Sleep(250);
    }
    CoUninitialize();
    if (names.empty()) {
        say("nothing read after " + std::to_string(options.seconds) + " seconds");
        if (!comMissing)
            say("through IUIAutomation: " + describe(com));
        say("through the flat API: " + describe(flat));
        return 1;
    }
    for (const std::string &name : names)
        printf("%s\n", name.c_str());
    fflush(stdout);
    const std::string count = options.window
        ? "read the window's element through "
        : "read " + std::to_string(names.size()) + " buttons through ";
    if (byCom) {
        say(count + "IUIAutomation");
    } else {
        if (!options.raw && !comMissing)
            say("through IUIAutomation: " + describe(com));
        say(count + "the flat API");
    }
    return 0;
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    Options options;
    int at = 1;
    for (; at < argc && argv[at][0] == L'-'; ++at) {
        if (wcscmp(argv[at], L"--raw") == 0)
            options.raw = true;
        else if (wcscmp(argv[at], L"--window") == 0)
            options.window = true;
        else if (wcscmp(argv[at], L"--wait") == 0 && at + 1 < argc)
            options.seconds = _wtoi(argv[++at]);
        else
            break;
    }
    if (at + 1 != argc || options.seconds < 0) {
        say("usage: uiaclient [--raw] [--wait SECONDS] [--window] TITLE");
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
