#include "platform/win32/look.hpp"

#include "platform/win32/convert.hpp"
#include "platform/win32/resource_ids.h"
#include "services/failures.hpp"
#include "services/fonts.hpp"

#include <map>
#include <string>
#include <string_view>
#include <tuple>

namespace tervanel::win32 {

namespace {

void registerFont(int resource, std::string_view name)
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
    registerFont(TERVANEL_FONT_REGULAR, services::kRegularFaceFile);
    registered = true;
}

HFONT dialogFont(double points, bool bold, int dpi)
{
    static bool boldRegistered = false;
    if (bold && !boldRegistered) {
        registerFont(TERVANEL_FONT_BOLD, services::kBoldFaceFile);
        boldRegistered = true;
    }
    static std::map<FontKey, HFONT> fonts;
    const FontKey key{services::fontPixels(points, dpi), bold};
    if (const auto it = fonts.find(key); it != fonts.end())
        return it->second;
    static const std::wstring face = toWide(services::kDialogFace);
    const HFONT font = CreateFontW(-key.pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                                   FALSE, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS,
                                   ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, face.c_str());
    if (!font)
        throw services::OperationFailed(services::Failure::FontNotCreated);
    fonts.emplace(key, font);
    return font;
}

} // namespace tervanel::win32
