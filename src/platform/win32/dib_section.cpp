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
    m_hDc = CreateCompatibleDC(nullptr);
    if (!m_hDc) {
        return;
    }
    void* bits = nullptr;
    m_hBitmap = CreateDIBSection(m_hDc, reinterpret_cast<BITMAPINFO*>(&m_header), DIB_RGB_COLORS,
                                 &bits, nullptr, 0);
    if (!m_hBitmap || !bits) {
        return;
    }
    m_hPrevious = SelectObject(m_hDc, m_hBitmap);
    m_pBits = static_cast<uint8_t*>(bits);
    m_nCapacity = std::size_t(m_header.biSizeImage);
}

DibSection::~DibSection() {
    if (m_hPrevious) {
        SelectObject(m_hDc, m_hPrevious);
    }
    if (m_hBitmap) {
        DeleteObject(m_hBitmap);
    }
    if (m_hDc) {
        DeleteDC(m_hDc);
    }
}

}  // namespace qrv::win32
