#include "platform/win32/accessible.hpp"

#include <oleacc.h>

// Interface identifiers are taken with __uuidof: the import library of oleacc.dll
// also names IID_IAccessible, as a function stub rather than the identifier.

namespace tervanel::win32 {

namespace {

BSTR toBstr(const std::wstring &text)
{
    return SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

bool isSelf(const VARIANT &child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The system's standard proxy for the window, with the program's own name, role,
// state and default action for the control itself. COM objects are never deleted
// through their interface, only by their own Release(): the interface's destructor
// need not be virtual.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class ControlAccessible final : public IAccessible {
public:
    ControlAccessible(IAccessible *standard, AccessibleSource source)
        : m_standard(standard)
        , m_source(std::move(source))
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

    // IAccessible: the control's own facts, the rest from the standard proxy.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR *name) override
    {
        if (!isSelf(child))
            return m_standard->get_accName(child, name);
        if (!name)
            return E_POINTER;
        *name = toBstr(m_source.facts().name);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT *role) override
    {
        const AccessibleFacts facts = m_source.facts();
        if (!isSelf(child) || facts.role == 0)
            return m_standard->get_accRole(child, role);
        if (!role)
            return E_POINTER;
        role->vt = VT_I4;
        role->lVal = facts.role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT *state) override
    {
        const HRESULT result = m_standard->get_accState(child, state);
        if (SUCCEEDED(result) && isSelf(child) && state && state->vt == VT_I4)
            state->lVal |= m_source.facts().state;
        return result;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR *action) override
    {
        if (!isSelf(child))
            return m_standard->get_accDefaultAction(child, action);
        if (!action)
            return E_POINTER;
        const std::wstring text = m_source.facts().defaultAction;
        *action = text.empty() ? nullptr : toBstr(text);
        return text.empty() ? S_FALSE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        if (!isSelf(child))
            return m_standard->accDoDefaultAction(child);
        if (!m_source.doDefaultAction)
            return DISP_E_MEMBERNOTFOUND;
        m_source.doDefaultAction();
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
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR *description) override
    {
        return m_standard->get_accDescription(child, description);
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
    ~ControlAccessible() = default;

    IAccessible *m_standard;
    AccessibleSource m_source;
    long m_references = 1;
};
#pragma GCC diagnostic pop

} // namespace

namespace {

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
        // The objects are handed over through COM, which this thread must have started.
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
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

} // namespace

LRESULT answerGetObject(HWND window, WPARAM flags, LPARAM object, const AccessibleSource &source)
{
    if (static_cast<long>(object) != OBJID_CLIENT)
        return 0;
    const AccessibilityLibrary &library = accessibilityLibrary();
    if (!library.createStandard || !library.lresultFromObject)
        return 0;
    IAccessible *standard = nullptr;
    if (FAILED(library.createStandard(window, OBJID_CLIENT, __uuidof(IAccessible),
                                      reinterpret_cast<void **>(&standard))))
        return 0;
    auto *accessible = new ControlAccessible(standard, source);
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

} // namespace tervanel::win32
