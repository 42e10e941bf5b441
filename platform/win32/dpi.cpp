#include "platform/win32/dpi.hpp"

#include "platform/win32/scaling.hpp"

namespace tervanel::win32 {

namespace {

// The per-monitor functions came with Windows 10; they are looked up rather than
// imported, so that the program still starts where they are missing.
template <class Function> Function user32Function(const char *name)
{
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32
               ? reinterpret_cast<Function>(reinterpret_cast<void *>(GetProcAddress(user32, name)))
               : nullptr;
}

using SetAwarenessContext = BOOL(WINAPI *)(HANDLE);
using GetDpiForWindowFunction = UINT(WINAPI *)(HWND);
using AdjustForDpi = BOOL(WINAPI *)(RECT *, DWORD, BOOL, DWORD, UINT);

} // namespace

void declareDpiAwareness()
{
    static const auto setContext =
        user32Function<SetAwarenessContext>("SetProcessDpiAwarenessContext");
    if (setContext) {
        // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
        setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)));
        return;
    }
    using SetAware = BOOL(WINAPI *)();
    if (const auto setAware = user32Function<SetAware>("SetProcessDPIAware"))
        setAware();
}

int dpiOf(HWND window)
{
    static const auto forWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (forWindow && window) {
        if (const UINT dpi = forWindow(window); dpi != 0)
            return static_cast<int>(dpi);
    }
    const HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : services::kBaseDpi;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : services::kBaseDpi;
}

RECT frameAround(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi)
{
    static const auto adjust = user32Function<AdjustForDpi>("AdjustWindowRectExForDpi");
    RECT r{0, 0, clientWidth, clientHeight};
    if (!adjust || !adjust(&r, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return r;
}

} // namespace tervanel::win32
