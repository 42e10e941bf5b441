#include "platform/win32/fonts.hpp"

#include "platform/win32/resource_ids.h"
#include "services/failures.hpp"
#include "services/scaling.hpp"

#include <map>
#include <tuple>

namespace tervanel::win32 {

namespace {

void registerFont(int resource, const char *name)
{
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resource), MAKEINTRESOURCEW(10));
    const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    void *data = loaded ? LockResource(loaded) : nullptr;
    DWORD count = 0;
    // The system copies the font: the resource stays where it is in the executable.
    if (!data || !AddFontMemResourceEx(data, SizeofResource(module, found), nullptr, &count)
        || count == 0)
        throw services::OperationFailed(services::Failure::FontMissing, name);
}

struct FontKey {
    int pixels;
    bool bold;
    auto operator<=>(const FontKey &) const = default;
};

} // namespace

void registerBuiltInFonts()
{
    static bool registered = false;
    if (registered)
        return;
    registerFont(TERVANEL_FONT_REGULAR, "LiberationSans-Regular.ttf");
    registered = true;
}

HFONT dialogFont(double points, bool bold, int dpi)
{
    static bool boldRegistered = false;
    if (bold && !boldRegistered) {
        registerFont(TERVANEL_FONT_BOLD, "LiberationSans-Bold.ttf");
        boldRegistered = true;
    }
    static std::map<FontKey, HFONT> fonts;
    const FontKey key{services::fontPixels(points, dpi), bold};
    if (const auto it = fonts.find(key); it != fonts.end())
        return it->second;
    const HFONT font = CreateFontW(-key.pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                                   FALSE, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS,
                                   ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, kDialogFace);
    if (!font)
        throw services::OperationFailed(services::Failure::FontNotCreated);
    fonts.emplace(key, font);
    return font;
}

int linePitch(HFONT font)
{
    // The face's own ascent and descent in font units, read once at the size of its em
    // square, where nothing is rounded; then scaled to this font's pixel size.
    static std::map<HFONT, int> pitches;
    if (const auto it = pitches.find(font); it != pitches.end())
        return it->second;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font);
    OUTLINETEXTMETRICW metrics{};
    metrics.otmSize = sizeof metrics;
    int pitch = 0;
    if (GetOutlineTextMetricsW(dc, sizeof metrics, &metrics) != 0) {
        const int em = static_cast<int>(metrics.otmEMSquare);
        LOGFONTW whole{};
        GetObjectW(font, sizeof whole, &whole);
        const int pixels = whole.lfHeight < 0 ? -whole.lfHeight : whole.lfHeight;
        whole.lfHeight = -em;
        const HFONT unscaled = CreateFontIndirectW(&whole);
        SelectObject(dc, unscaled);
        TEXTMETRICW units{};
        GetTextMetricsW(dc, &units);
        SelectObject(dc, font);
        DeleteObject(unscaled);
        const int height = units.tmAscent + units.tmDescent;
        pitch = (height * pixels + em - 1) / em;
    } else {
        TEXTMETRICW tm{};
        GetTextMetricsW(dc, &tm);
        pitch = tm.tmHeight;
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    pitches.emplace(font, pitch);
    return pitch;
}

} // namespace tervanel::win32
