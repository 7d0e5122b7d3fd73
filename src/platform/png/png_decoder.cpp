#include "platform/png/png_decoder.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

namespace qrv {
namespace {

// Beyond the pixels, no chunk of a screenshot or a picture needs more.
constexpr png_alloc_size_t kMaxChunkBytes = png_alloc_size_t(8) << 20;

// The file being read, and where libpng has got to.
struct Source {
    std::span<const uint8_t> file;
    std::size_t at = 0;
};

void ReadFromSource(png_structp png, png_bytep out, png_size_t length) {
    auto* source = static_cast<Source*>(png_get_io_ptr(png));
    if (length > source->file.size() - source->at) {
        png_error(png, "file ends early");
    }
    std::memcpy(out, source->file.data() + source->at, length);
    source->at += length;
}

// The caller reports a failure in its own words; libpng's stay quiet.
[[noreturn]] void QuietError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

// Warnings (unknown chunks, odd profiles) are no reason to fail or to speak.
void IgnoreWarning(png_structp, png_const_charp) {}

// A libpng reader with its info block, destroyed together.
class Reader {
  public:
    Reader()
        : m_png(
              png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, &QuietError, &IgnoreWarning)),
          m_info(m_png ? png_create_info_struct(m_png) : nullptr) {}
    ~Reader() { png_destroy_read_struct(&m_png, m_info ? &m_info : nullptr, nullptr); }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    bool Valid() const { return m_info != nullptr; }
    png_structp Png() const { return m_png; }
    png_infop Info() const { return m_info; }

  private:
    png_structp m_png;
    png_infop m_info;
};

// Reads the header and asks for blue-green-red-alpha at 8 bits a channel; a
// file larger than width x height fails. libpng reports errors by jumping
// back here: nothing with a destructor lives in this frame.
bool ReadHeader(const Reader& r, Source& source, int32_t width, int32_t height) {
    if (setjmp(png_jmpbuf(r.Png()))) {
        return false;
    }
    png_set_read_fn(r.Png(), &source, &ReadFromSource);
    png_set_user_limits(r.Png(), png_uint_32(width), png_uint_32(height));
    png_set_chunk_malloc_max(r.Png(), kMaxChunkBytes);
    // Every chunk's CRC is checked, the compressed pixels' included: zlib's
    // own checksum of the inflated bytes would only repeat that check.
    png_set_option(r.Png(), PNG_IGNORE_ADLER32, PNG_OPTION_ON);
    png_read_info(r.Png(), r.Info());
    png_set_expand(r.Png());    // palette to RGB, grey to 8 bits, tRNS to alpha
    png_set_scale_16(r.Png());  // 16-bit channels rounded to 8
    png_set_gray_to_rgb(r.Png());
    png_set_bgr(r.Png());
    png_set_filler(r.Png(), 0xFF, PNG_FILLER_AFTER);  // only where there is no alpha
    png_set_interlace_handling(r.Png());
    png_read_update_info(r.Png(), r.Info());
    return true;
}

bool ReadRows(const Reader& r, png_bytepp rows) {
    if (setjmp(png_jmpbuf(r.Png()))) {
        return false;
    }
    png_read_image(r.Png(), rows);
    png_read_end(r.Png(), nullptr);  // the chunks after the pixels must be sound too
    return true;
}

}  // namespace

bool PngDecoder::Available() {
    return true;
}

bool PngDecoder::Decode(std::span<const uint8_t> file, int32_t width, int32_t height,
                        PixelImage& into) {
    into.Clear();
    const Reader reader;
    Source source{file};
    if (!reader.Valid() || !ReadHeader(reader, source, width, height)) {
        return false;
    }
    if (png_get_image_width(reader.Png(), reader.Info()) != png_uint_32(width) ||
        png_get_image_height(reader.Png(), reader.Info()) != png_uint_32(height) ||
        png_get_rowbytes(reader.Png(), reader.Info()) != std::size_t(width) * 4) {
        return false;
    }
    into.Resize(width, height);  // every pixel is written below
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    for (int32_t y = 0; y < height; ++y) {
        rows[std::size_t(y)] = into.Row(y);
    }
    if (!ReadRows(reader, rows.data())) {
        into.Clear();
        return false;
    }
    return true;
}

}  // namespace qrv
