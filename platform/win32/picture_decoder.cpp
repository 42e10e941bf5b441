#include "platform/win32/picture_decoder.hpp"

#include "services/failures.hpp"

#include <ole2.h>
#include <olectl.h>

#include <cstring>

namespace tervanel::win32 {

namespace {

[[noreturn]] void fail(std::string_view name)
{
    throw services::OperationFailed(services::Failure::PictureMissing, name);
}

// The system decoder reads from a stream over a private copy of the resource.
IStream *streamOver(int resource)
{
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resource), MAKEINTRESOURCEW(10));
    const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void *data = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = found ? SizeofResource(module, found) : 0;
    if (!data || size == 0)
        return nullptr;
    const HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy)
        return nullptr;
    std::memcpy(GlobalLock(copy), data, size);
    GlobalUnlock(copy);
    IStream *stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {
        GlobalFree(copy);
        return nullptr;
    }
    return stream;
}

} // namespace

DecodedPicture::DecodedPicture(int resource, std::string_view name)
{
    IStream *stream = streamOver(resource);
    if (!stream)
        fail(name);
    void *picture = nullptr;
    const HRESULT decoded = OleLoadPicture(stream, 0, FALSE, __uuidof(IPicture), &picture);
    stream->Release();
    if (FAILED(decoded) || !picture)
        fail(name);
    m_picture = static_cast<IPicture *>(picture);

    SHORT type = PICTYPE_UNINITIALIZED;
    OLE_HANDLE handle = 0;
    BITMAP info{};
    if (FAILED(m_picture->get_Type(&type)) || type != PICTYPE_BITMAP
        || FAILED(m_picture->get_Handle(&handle)) || handle == 0
        || GetObjectW(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), sizeof info, &info)
               == 0) {
        m_picture->Release();
        fail(name);
    }
    m_bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    m_width = info.bmWidth;
    m_height = info.bmHeight;
}

DecodedPicture::~DecodedPicture()
{
    m_picture->Release(); // the bitmap belongs to the picture object
}

void DecodedPicture::draw(HDC dc, const RECT &target) const
{
    const HDC source = CreateCompatibleDC(dc);
    const HGDIOBJ old = SelectObject(source, m_bitmap);
    const int width = target.right - target.left;
    const int height = target.bottom - target.top;
    if (width == m_width && height == m_height) {
        BitBlt(dc, target.left, target.top, width, height, source, 0, 0, SRCCOPY);
    } else {
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, target.left, target.top, width, height, source, 0, 0, m_width, m_height,
                   SRCCOPY);
    }
    SelectObject(source, old);
    DeleteDC(source);
}

} // namespace tervanel::win32
