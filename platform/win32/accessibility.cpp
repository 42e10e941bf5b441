#include "platform/win32/accessibility.hpp"

#include "platform/win32/convert.hpp"
#include "services/failures.hpp"

#include <oleacc.h>

// Identifiers are written out here, or taken with __uuidof: oleacc.dll is not imported
// (its import library names some identifiers as function stubs), and the UI Automation
// headers of the compiler lack the live setting.

namespace tervanel::win32 {

namespace {

namespace a11y = services::accessibility;

constexpr const wchar_t *kObjectProperty = L"Tervanel.Accessible";
constexpr GUID kAccPropServicesClass{
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID kAccPropServicesInterface{
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kLiveSettingProperty{
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr long kPolite = 1; // LiveSetting: said once the screen reader is done talking

// COM and its strings come from ole32.dll and oleaut32.dll, loaded when a screen reader
// first needs them: the executable does not import them, so start-up does not load them.
// COM is started then on this thread, the program's only one: objects are handed over
// through it.
struct ComLibrary {
    decltype(&CoInitializeEx) initialize = nullptr;
    decltype(&CoCreateInstance) createInstance = nullptr;
    decltype(&SysAllocStringLen) allocString = nullptr;
};

template <typename Function> void find(Function &function, HMODULE module, const char *name)
{
    if (module)
        function =
            reinterpret_cast<Function>(reinterpret_cast<void *>(GetProcAddress(module, name)));
}

const ComLibrary &com()
{
    static const ComLibrary library = [] {
        ComLibrary loaded;
        const HMODULE ole = LoadLibraryW(L"ole32.dll");
        find(loaded.initialize, ole, "CoInitializeEx");
        find(loaded.createInstance, ole, "CoCreateInstance");
        find(loaded.allocString, LoadLibraryW(L"oleaut32.dll"), "SysAllocStringLen");
        if (loaded.initialize)
            loaded.initialize(nullptr, COINIT_APARTMENTTHREADED);
        return loaded;
    }();
    return library;
}

BSTR toBstr(const std::wstring &text)
{
    const auto allocString = com().allocString;
    return allocString ? allocString(text.data(), static_cast<UINT>(text.size())) : nullptr;
}

bool isSelf(const VARIANT &child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

bool isWindowRole(a11y::Role role)
{
    return role == a11y::Role::Frame || role == a11y::Role::Dialog;
}

AccessibleObject *objectOf(HWND window)
{
    return static_cast<AccessibleObject *>(GetPropW(window, kObjectProperty));
}

// The system's standard proxy for the window, with the program's own name, role, state,
// description and default action for the object itself, asked of the program's object
// at every call (none once the window is gone: the proxy's answers alone). COM objects
// are never deleted through their interface, only by their own Release(): the
// interface's destructor need not be virtual.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class ProgramAccessible final : public IAccessible {
public:
    ProgramAccessible(IAccessible *standard, HWND window)
        : m_standard(standard)
        , m_window(window)
    {
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **out) override
    {
        if (!out)
            return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch)
            || iid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible *>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++m_references); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const long left = --m_references;
        if (left == 0) {
            m_standard->Release();
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    // IDispatch: as the standard proxy.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override
    {
        return m_standard->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo **info) override
    {
        return m_standard->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR *names, UINT count, LCID locale,
                                            DISPID *ids) override
    {
        return m_standard->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS *params, VARIANT *result, EXCEPINFO *exception,
                                     UINT *argument) override
    {
        return m_standard->Invoke(id, iid, locale, flags, params, result, exception, argument);
    }

    // IAccessible: the program's facts for the object itself, the rest from the proxy.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR *name) override
    {
        const AccessibleObject *object = self(child);
        if (!object)
            return m_standard->get_accName(child, name);
        if (!name)
            return E_POINTER;
        *name = toBstr(toWide(object->accessibleFacts().presentation.name));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT *role) override
    {
        const AccessibleObject *object = self(child);
        if (!object)
            return m_standard->get_accRole(child, role);
        if (!role)
            return E_POINTER;
        role->vt = VT_I4;
        role->lVal = msaaRole(object->accessibleFacts().presentation.role);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT *state) override
    {
        const HRESULT result = m_standard->get_accState(child, state);
        const AccessibleObject *object = self(child);
        if (FAILED(result) || !object || !state || state->vt != VT_I4)
            return result;
        const a11y::Presentation p = object->accessibleFacts().presentation;
        if (p.checkable)
            state->lVal = p.checked ? state->lVal | STATE_SYSTEM_CHECKED
                                    : state->lVal & ~STATE_SYSTEM_CHECKED;
        if (!isWindowRole(p.role))
            state->lVal = p.focusable ? state->lVal | STATE_SYSTEM_FOCUSABLE
                                      : state->lVal & ~STATE_SYSTEM_FOCUSABLE;
        return result;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR *description) override
    {
        const AccessibleObject *object = self(child);
        const std::string others = object ? object->accessibleFacts().otherActions : "";
        if (others.empty())
            return m_standard->get_accDescription(child, description);
        if (!description)
            return E_POINTER;
        *description = toBstr(toWide(others));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR *action) override
    {
        const AccessibleObject *object = self(child);
        if (!object)
            return m_standard->get_accDefaultAction(child, action);
        if (!action)
            return E_POINTER;
        const AccessibleFacts facts = object->accessibleFacts();
        *action = nullptr;
        if (facts.actions.empty())
            return S_FALSE;
        const std::string_view name = a11y::wordsOf(facts.actions.front()).name;
        if (name.empty()) // the press of a push button: the proxy's own name for it
            return m_standard->get_accDefaultAction(child, action);
        *action = toBstr(toWide(name));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        AccessibleObject *object = self(child);
        if (!object)
            return m_standard->accDoDefaultAction(child);
        const AccessibleFacts facts = object->accessibleFacts();
        if (facts.actions.empty())
            return DISP_E_MEMBERNOTFOUND;
        object->perform(facts.actions.front());
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch **parent) override
    {
        return m_standard->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long *count) override
    {
        return m_standard->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch **out) override
    {
        return m_standard->get_accChild(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR *value) override
    {
        return m_standard->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR *help) override
    {
        return m_standard->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR *file, VARIANT child, long *topic) override
    {
        return m_standard->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR *shortcut) override
    {
        return m_standard->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT *focus) override
    {
        return m_standard->get_accFocus(focus);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT *selection) override
    {
        return m_standard->get_accSelection(selection);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override
    {
        return m_standard->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long *left, long *top, long *width, long *height,
                                          VARIANT child) override
    {
        return m_standard->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT *end) override
    {
        return m_standard->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT *child) override
    {
        return m_standard->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~ProgramAccessible() = default;

    // The program's object, when the request is for the object itself and it still is.
    [[nodiscard]] AccessibleObject *self(const VARIANT &child) const
    {
        return isSelf(child) && IsWindow(m_window) ? objectOf(m_window) : nullptr;
    }

    IAccessible *m_standard;
    HWND m_window;
    long m_references = 1;
};
#pragma GCC diagnostic pop

// The accessibility library is loaded when a screen reader first asks for an object,
// not at start-up: most runs never need it.
struct AccessibilityLibrary {
    using CreateStandard = HRESULT(WINAPI *)(HWND, LONG, REFIID, void **);
    using Lresult = LRESULT(WINAPI *)(REFIID, WPARAM, LPUNKNOWN);
    CreateStandard createStandard = nullptr;
    Lresult lresultFromObject = nullptr;
};

const AccessibilityLibrary &accessibilityLibrary()
{
    static const AccessibilityLibrary library = [] {
        AccessibilityLibrary loaded;
        static_cast<void>(com());
        if (const HMODULE module = LoadLibraryW(L"oleacc.dll")) {
            loaded.createStandard = reinterpret_cast<AccessibilityLibrary::CreateStandard>(
                reinterpret_cast<void *>(GetProcAddress(module, "CreateStdAccessibleObject")));
            loaded.lresultFromObject = reinterpret_cast<AccessibilityLibrary::Lresult>(
                reinterpret_cast<void *>(GetProcAddress(module, "LresultFromObject")));
        }
        return loaded;
    }();
    return library;
}

// Annotates the window's client object as a polite live region, for the system's UI
// Automation proxy (Narrator reads through it). A system that cannot take it still
// raises the event, which NVDA reads by the object's name alone.
void annotateAsLive(HWND window)
{
    const auto createInstance = com().createInstance;
    IAccPropServices *annotations = nullptr;
    if (!createInstance
        || FAILED(createInstance(kAccPropServicesClass, nullptr, CLSCTX_INPROC_SERVER,
                                 kAccPropServicesInterface,
                                 reinterpret_cast<void **>(&annotations))))
        return;
    VARIANT setting{};
    setting.vt = VT_I4;
    setting.lVal = kPolite;
    annotations->SetHwndProp(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                             kLiveSettingProperty, setting);
    annotations->Release();
}

} // namespace

long msaaRole(services::accessibility::Role role)
{
    switch (role) {
    case services::accessibility::Role::Frame:
        return ROLE_SYSTEM_CLIENT; // a main window's client area, as screen readers know it
    case services::accessibility::Role::Dialog:
        return ROLE_SYSTEM_DIALOG;
    case services::accessibility::Role::CheckBox:
        return ROLE_SYSTEM_CHECKBUTTON;
    case services::accessibility::Role::StaticText:
        return ROLE_SYSTEM_STATICTEXT;
    case services::accessibility::Role::PushButton:
        return ROLE_SYSTEM_PUSHBUTTON;
    case services::accessibility::Role::Graphic:
        return ROLE_SYSTEM_GRAPHIC;
    case services::accessibility::Role::Grouping:
        break;
    }
    return ROLE_SYSTEM_GROUPING;
}

bool screenReaderRunning()
{
    BOOL running = FALSE;
    return SystemParametersInfoW(SPI_GETSCREENREADER, 0, &running, 0) && running;
}

void exposeAs(HWND window, AccessibleObject *object)
{
    if (object)
        SetPropW(window, kObjectProperty, object);
    else
        RemovePropW(window, kObjectProperty);
}

LRESULT answerGetObject(HWND window, WPARAM flags, LPARAM object)
{
    if (static_cast<long>(object) != OBJID_CLIENT || !objectOf(window))
        return 0;
    const AccessibilityLibrary &library = accessibilityLibrary();
    if (!library.createStandard || !library.lresultFromObject)
        return 0;
    IAccessible *standard = nullptr;
    if (FAILED(library.createStandard(window, OBJID_CLIENT, __uuidof(IAccessible),
                                      reinterpret_cast<void **>(&standard))))
        return 0;
    auto *accessible = new ProgramAccessible(standard, window);
    const LRESULT result = library.lresultFromObject(__uuidof(IAccessible), flags, accessible);
    accessible->Release(); // the result holds its own reference
    return result;
}

void notifyStateChanged(HWND window)
{
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

void notifyNameChanged(HWND window)
{
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

LiveRegion::LiveRegion(HWND window)
    : m_hwnd(CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0,
                             0, 0, window, nullptr, GetModuleHandleW(nullptr), nullptr))
{
    if (!m_hwnd)
        throw services::OperationFailed(services::Failure::ControlNotCreated);
}

LiveRegion::~LiveRegion()
{
    if (IsWindow(m_hwnd))
        DestroyWindow(m_hwnd);
}

void LiveRegion::say(std::wstring_view words)
{
    // Annotated once a screen reader runs: the annotation needs COM and oleacc.dll,
    // which a run without one never loads.
    if (!m_annotated && screenReaderRunning()) {
        annotateAsLive(m_hwnd);
        m_annotated = true;
    }
    SetWindowTextW(m_hwnd, std::wstring(words).c_str());
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, m_hwnd, OBJID_CLIENT, CHILDID_SELF);
}

} // namespace tervanel::win32
