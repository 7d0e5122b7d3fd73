#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace qrv::win32 {

// A top-down 32-bit device-independent bitmap selected into a memory device
// context of its own, so that blits land straight in memory the program can
// read. Valid() is false when the system refused either part.
class DibSection {
  public:
    DibSection(int32_t width, int32_t height);
    ~DibSection();
    DibSection(const DibSection&) = delete;
    DibSection& operator=(const DibSection&) = delete;

    bool Valid() const { return m_bits != nullptr; }
    HDC Dc() const { return m_dc; }
    uint8_t* Bits() const { return m_bits; }
    std::size_t Capacity() const { return m_capacity; }
    int32_t Width() const { return m_iWidth; }
    int32_t Height() const { return m_iHeight; }
    // The header the pixels are described by: rows top first, 32 bits, no compression.
    const BITMAPINFOHEADER& Header() const { return m_header; }

  private:
    BITMAPINFOHEADER m_header{};
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    uint8_t* m_bits = nullptr;
    std::size_t m_capacity = 0;
    int32_t m_iWidth = 0;
    int32_t m_iHeight = 0;
};

}  // namespace qrv::win32
