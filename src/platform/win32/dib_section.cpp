#include "platform/win32/dib_section.h"

namespace qrv::win32 {

DibSection::DibSection(int32_t width, int32_t height) : m_iWidth(width), m_iHeight(height) {
    m_header.biSize = sizeof m_header;
    m_header.biWidth = width;
    m_header.biHeight = -height;
    m_header.biPlanes = 1;
    m_header.biBitCount = 32;
    m_header.biCompression = BI_RGB;
    m_header.biSizeImage = DWORD(uint64_t(width) * uint64_t(height) * 4);
    m_dc = CreateCompatibleDC(nullptr);
    if (!m_dc) {
        return;
    }
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(m_dc, reinterpret_cast<BITMAPINFO*>(&m_header), DIB_RGB_COLORS,
                                &bits, nullptr, 0);
    if (!m_bitmap || !bits) {
        return;
    }
    m_previous = SelectObject(m_dc, m_bitmap);
    m_bits = static_cast<uint8_t*>(bits);
    m_capacity = std::size_t(m_header.biSizeImage);
}

DibSection::~DibSection() {
    if (m_previous) {
        SelectObject(m_dc, m_previous);
    }
    if (m_bitmap) {
        DeleteObject(m_bitmap);
    }
    if (m_dc) {
        DeleteDC(m_dc);
    }
}

}  // namespace qrv::win32
