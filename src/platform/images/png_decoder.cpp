#include "platform/images/png_decoder.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>

#include "platform/images/png_row_writer.h"

namespace qrv {
namespace {

using Bytes = std::span<uint8_t>;

constexpr std::size_t kSignatureBytes = 8;
constexpr uint32_t kMaxChunkLength = 0x7FFFFFFF;

uint32_t Be32(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

// One chunk: where its data starts, and how long it is.
struct Chunk {
    std::size_t data = 0;
    uint32_t length = 0;
    std::string_view type;
};

// Walks the chunks of a file, checking each one's CRC.
class ChunkReader {
  public:
    explicit ChunkReader(Bytes file) : m_file(file) {}

    // The next chunk; false at the end of the file or on a damaged chunk.
    bool Next(Chunk& chunk) {
        if (m_file.size() - m_at < 12) {
            return false;
        }
        const uint8_t* at = m_file.data() + m_at;
        const uint32_t length = Be32(at);
        if (length > kMaxChunkLength || m_file.size() - m_at - 12 < length ||
            libdeflate_crc32(0, at + 4, std::size_t(length) + 4) != Be32(at + 8 + length)) {
            return false;
        }
        chunk = {m_at + 8, length, std::string_view(reinterpret_cast<const char*>(at + 4), 4)};
        m_at += 12 + std::size_t(length);
        return true;
    }

  private:
    Bytes m_file;
    std::size_t m_at = kSignatureBytes;
};

bool ValidBits(uint32_t colorType, uint32_t bits) {
    switch (colorType) {
        case 0:
            return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16;
        case 3:
            return bits == 1 || bits == 2 || bits == 4 || bits == 8;
        case 2:
        case 4:
        case 6:
            return bits == 8 || bits == 16;
        default:
            return false;
    }
}

bool ReadHeaderChunk(const uint8_t* d, uint32_t length, const ImageHeader& header, PngFormat& f) {
    if (length != 13) {
        return false;
    }
    f.width = int32_t(Be32(d));
    f.height = int32_t(Be32(d + 4));
    f.bits = d[8];
    f.colorType = d[9];
    f.interlaced = d[12] == 1;
    return f.width == header.width && f.height == header.height && f.width > 0 && f.height > 0 &&
           ValidBits(f.colorType, f.bits) && d[10] == 0 && d[11] == 0 && d[12] <= 1;
}

// A palette file's palette; other files' suggested palettes are ignored.
bool ReadPalette(const uint8_t* d, uint32_t length, PngFormat& f, uint32_t& entries) {
    if (f.colorType != 3) {
        return true;
    }
    if (length == 0 || length % 3 != 0 || length > 3 * 256) {
        return false;
    }
    entries = length / 3;
    for (uint32_t i = 0; i < entries; ++i) {
        f.palette[i] = (uint32_t(d[3 * i]) << 16) | (uint32_t(d[3 * i + 1]) << 8) | d[3 * i + 2];
    }
    return true;
}

// Transparency: palette alphas or the colour that is clear. A chunk that does
// not fit the file's kind of pixels is ignored.
void ReadTransparency(const uint8_t* d, uint32_t length, uint32_t paletteEntries, PngFormat& f) {
    if (f.colorType == 3 && length > 0 && length <= paletteEntries) {
        std::copy(d, d + length, f.paletteAlpha.begin());
    } else if (f.colorType == 0 && length == 2) {
        f.hasKey = true;
        f.keyRed = (uint32_t(d[0]) << 8) | d[1];
    } else if (f.colorType == 2 && length == 6) {
        f.hasKey = true;
        f.keyRed = (uint32_t(d[0]) << 8) | d[1];
        f.keyGreen = (uint32_t(d[2]) << 8) | d[3];
        f.keyBlue = (uint32_t(d[4]) << 8) | d[5];
    }
}

// Reads the chunks up to IEND and moves the data of the IDAT chunks together,
// in order, to the start of the first one; `pixelData` is what they hold.
bool ReadChunks(Bytes file, const ImageHeader& header, PngFormat& f, Bytes& pixelData) {
    ChunkReader chunks(file);
    Chunk c;
    if (!chunks.Next(c) || c.type != "IHDR" ||
        !ReadHeaderChunk(&file[c.data], c.length, header, f)) {
        return false;
    }
    f.paletteAlpha.fill(255);
    uint32_t paletteEntries = 0;
    std::size_t gathered = 0;
    std::size_t start = 0;
    while (chunks.Next(c)) {
        const uint8_t* d = file.data() + c.data;
        if (c.type == "IEND") {
            pixelData = file.subspan(start, gathered);
            return gathered > 0 && (f.colorType != 3 || paletteEntries > 0);
        }
        if (c.type == "IDAT") {
            start = gathered == 0 ? c.data : start;
            std::memmove(file.data() + start + gathered, d, c.length);
            gathered += c.length;
        } else if (gathered == 0 && c.type == "PLTE") {
            if (!ReadPalette(d, c.length, f, paletteEntries)) {
                return false;
            }
        } else if (gathered == 0 && c.type == "tRNS") {
            ReadTransparency(d, c.length, paletteEntries, f);
        } else if ((uint8_t(c.type[0]) & 0x20) == 0 && c.type != "PLTE") {
            return false;  // a critical chunk this decoder does not know
        }
    }
    return false;
}

struct DecompressorFree {
    void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

// The whole pixel data at once, into the end of the image's own block.
bool InflateInPlace(Bytes pixelData, const PngFormat& f, PixelImage& into) {
    const uint64_t filtered = f.FilteredBytes();
    const std::size_t size =
        std::size_t(std::max(filtered, uint64_t(f.width) * uint64_t(f.height) * 4));
    auto block = std::make_shared_for_overwrite<uint8_t[]>(size);
    into.Adopt(block, block.get(), size, f.width, f.height);
    const std::unique_ptr<libdeflate_decompressor, DecompressorFree> inflater(
        libdeflate_alloc_decompressor());
    if (!inflater) {
        throw std::bad_alloc();
    }
    uint8_t* rows = block.get() + (size - filtered);
    if (libdeflate_zlib_decompress(inflater.get(), pixelData.data(), pixelData.size(), rows,
                                   std::size_t(filtered), nullptr) != LIBDEFLATE_SUCCESS) {
        return false;
    }
    PngRowWriter writer(f, into);
    for (std::size_t n = writer.NextRowBytes(); n > 0; n = writer.NextRowBytes()) {
        if (!writer.Take(rows)) {
            return false;
        }
        rows += n;
    }
    return true;
}

// A zlib inflate stream, ended when it goes.
class InflateStream {
  public:
    explicit InflateStream(Bytes input) {
        m_stream.next_in = input.data();
        m_stream.avail_in = uInt(input.size());
        m_ready = inflateInit(&m_stream) == Z_OK;
    }
    ~InflateStream() {
        if (m_ready) {
            inflateEnd(&m_stream);
        }
    }
    InflateStream(const InflateStream&) = delete;
    InflateStream& operator=(const InflateStream&) = delete;

    // Fills `out` whole; false when the data ends first or is damaged.
    bool Fill(uint8_t* out, std::size_t bytes) {
        m_stream.next_out = out;
        m_stream.avail_out = uInt(bytes);
        while (m_ready && m_stream.avail_out > 0) {
            const int result = inflate(&m_stream, Z_NO_FLUSH);
            if (result != Z_OK && !(result == Z_STREAM_END && m_stream.avail_out == 0)) {
                return false;
            }
        }
        return m_ready;
    }
    // True when the data ends here, its checksum checked.
    bool Ended() {
        uint8_t extra = 0;
        m_stream.next_out = &extra;
        m_stream.avail_out = 1;
        return m_ready && inflate(&m_stream, Z_NO_FLUSH) == Z_STREAM_END && m_stream.avail_out == 1;
    }

  private:
    z_stream m_stream{};
    bool m_ready = false;
};

// Row by row into the image, for interlaced files and 16-bit colour.
bool InflateByRows(Bytes pixelData, const PngFormat& f, PixelImage& into) {
    into.Resize(f.width, f.height);
    InflateStream stream(pixelData);
    std::unique_ptr<uint8_t[]> row(new uint8_t[1 + f.RowBytes(uint32_t(f.width))]);
    PngRowWriter writer(f, into);
    for (std::size_t n = writer.NextRowBytes(); n > 0; n = writer.NextRowBytes()) {
        if (!stream.Fill(row.get(), n) || !writer.Take(row.get())) {
            return false;
        }
    }
    return stream.Ended();
}

}  // namespace

bool DecodePng(std::span<uint8_t> file, const ImageHeader& header, PixelImage& into) {
    into.Clear();
    PngFormat format;
    Bytes pixelData;
    if (file.size() < kSignatureBytes || !ReadChunks(file, header, format, pixelData)) {
        return false;
    }
    const bool fits = !format.interlaced &&
                      format.RowBytes(uint32_t(format.width)) <= std::size_t(format.width) * 4;
    if (!(fits ? InflateInPlace(pixelData, format, into)
               : InflateByRows(pixelData, format, into))) {
        into.Clear();
        return false;
    }
    return true;
}

}  // namespace qrv
