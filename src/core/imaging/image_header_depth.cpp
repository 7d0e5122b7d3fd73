#include "core/imaging/image_header_depth.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstddef>
#include <map>
#include <string_view>

namespace qrv {
namespace {

using Bytes = std::span<const uint8_t>;

// True when `count` bytes starting at `pos` lie inside the file.
bool Has(Bytes b, uint64_t pos, uint64_t count) {
    return pos <= b.size() && count <= b.size() - pos;
}

uint32_t Be16(Bytes b, std::size_t p) {
    return (uint32_t(b[p]) << 8) | b[p + 1];
}
uint32_t Be32(Bytes b, std::size_t p) {
    return (Be16(b, p) << 16) | Be16(b, p + 2);
}
uint32_t Le16(Bytes b, std::size_t p) {
    return uint32_t(b[p]) | (uint32_t(b[p + 1]) << 8);
}
uint32_t Le32(Bytes b, std::size_t p) {
    return Le16(b, p) | (Le16(b, p + 2) << 16);
}

bool StartsWith(Bytes b, std::string_view signature) {
    return b.size() >= signature.size() &&
           std::equal(signature.begin(), signature.end(), b.begin(),
                      [](char s, uint8_t c) { return uint8_t(s) == c; });
}

bool ValidSize(uint64_t width, uint64_t height) {
    return width > 0 && height > 0 && width <= INT32_MAX && height <= INT32_MAX;
}

std::optional<ImageHeader> Depth(ImageFileKind kind, uint64_t width, uint64_t height,
                                 int32_t bitsPerPixel, bool hasAlpha) {
    if (!ValidSize(width, height)) {
        return std::nullopt;
    }
    return ImageHeader{kind, int32_t(width), int32_t(height), bitsPerPixel, hasAlpha};
}

// Grey or palette pixels of one sample: 1, 4 and 8 bits keep their depth,
// 2 bits widen to 8 and 16 bits to 32.
std::optional<int32_t> SingleSampleDepth(uint32_t bits) {
    switch (bits) {
        case 1:
            return 1;
        case 4:
            return 4;
        case 2:
        case 8:
            return 8;
        case 16:
            return 32;
        default:
            return std::nullopt;
    }
}

// Colour pixels of three samples: 8 bits each give 24, 16 bits each give 32.
std::optional<int32_t> ColorDepth(uint32_t bits) {
    if (bits == 8) {
        return 24;
    }
    if (bits == 16) {
        return 32;
    }
    return std::nullopt;
}

// PNG ------------------------------------------------------------------------

bool ValidPngBits(uint8_t colorType, uint8_t bits) {
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

std::optional<int32_t> PngBitsPerPixel(uint8_t colorType, uint8_t bits) {
    if (colorType == 2) {
        return ColorDepth(bits);
    }
    return SingleSampleDepth(bits);
}

bool IsChunk(Bytes b, std::size_t pos, std::string_view type) {
    return StartsWith(b.subspan(pos + 4, 4), type);
}

std::optional<ImageHeader> ReadPng(Bytes b) {
    constexpr std::size_t kHeaderEnd = 8 + 12 + 13;
    if (!Has(b, 0, kHeaderEnd) || Be32(b, 8) != 13 || !IsChunk(b, 8, "IHDR")) {
        return std::nullopt;
    }
    const uint8_t bits = b[24];
    const uint8_t colorType = b[25];
    if (!ValidPngBits(colorType, bits) || b[26] != 0 || b[27] != 0 || b[28] > 1) {
        return std::nullopt;
    }
    bool palette = false;
    bool transparency = false;
    bool imageData = false;
    for (std::size_t pos = kHeaderEnd; Has(b, pos, 12);) {
        const uint32_t length = Be32(b, pos);
        if (length > INT32_MAX || !Has(b, pos, 12 + uint64_t(length))) {
            return std::nullopt;
        }
        if (IsChunk(b, pos, "IEND")) {
            if (!imageData || (colorType == 3 && !palette)) {
                return std::nullopt;
            }
            const bool alpha = colorType == 4 || colorType == 6 || transparency;
            const auto depth =
                alpha ? std::optional<int32_t>(32) : PngBitsPerPixel(colorType, bits);
            return Depth(ImageFileKind::Png, Be32(b, 16), Be32(b, 20), *depth, alpha);
        }
        imageData = imageData || IsChunk(b, pos, "IDAT");
        palette = palette || IsChunk(b, pos, "PLTE");
        transparency = transparency || (!imageData && IsChunk(b, pos, "tRNS"));
        pos += 12 + std::size_t(length);
    }
    return std::nullopt;
}

// JPEG -----------------------------------------------------------------------

bool IsStartOfFrame(uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Frame header: precision, height, width, component count, then three bytes
// per component. One component is grey, three are colour, four are CMYK.
std::optional<ImageHeader> ReadJpegFrame(Bytes segment) {
    if (!Has(segment, 0, 6) || !Has(segment, 6, 3 * uint64_t(segment[5]))) {
        return std::nullopt;
    }
    static constexpr std::array<int32_t, 5> kDepthByComponents{0, 8, 0, 24, 32};
    const uint8_t components = segment[5];
    if (components >= kDepthByComponents.size() || kDepthByComponents[components] == 0) {
        return std::nullopt;
    }
    return Depth(ImageFileKind::Jpeg, Be16(segment, 3), Be16(segment, 1),
                 kDepthByComponents[components], false);
}

// Entropy-coded data never holds 0xFF 0xD9, so finding it after the first scan
// means the file reaches its end-of-image marker.
bool HasEndOfImage(Bytes rest) {
    static constexpr std::array<uint8_t, 2> kEnd{0xFF, 0xD9};
    return std::search(rest.begin(), rest.end(), kEnd.begin(), kEnd.end()) != rest.end();
}

std::optional<ImageHeader> ReadJpeg(Bytes b) {
    std::optional<ImageHeader> frame;
    std::size_t pos = 2;
    while (Has(b, pos, 2)) {
        const uint8_t marker = b[pos + 1];
        if (b[pos] != 0xFF) {
            return std::nullopt;
        }
        if (marker == 0xFF) {  // fill byte
            ++pos;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // no length field
            pos += 2;
            continue;
        }
        if (marker == 0xD8 || marker == 0xD9 || !Has(b, pos + 2, 2)) {
            return std::nullopt;
        }
        const std::size_t length = Be16(b, pos + 2);
        if (length < 2 || !Has(b, pos + 2, length)) {
            return std::nullopt;
        }
        if (IsStartOfFrame(marker)) {
            frame = ReadJpegFrame(b.subspan(pos + 4, length - 2));
            if (!frame) {
                return std::nullopt;
            }
        }
        if (marker == 0xDA) {
            return frame && HasEndOfImage(b.subspan(pos + 2 + length)) ? frame : std::nullopt;
        }
        pos += 2 + length;
    }
    return std::nullopt;
}

// BMP ------------------------------------------------------------------------

enum : uint32_t { kBmpRgb = 0, kBmpRle8 = 1, kBmpRle4 = 2, kBmpBitFields = 3, kBmpAlphaFields = 6 };

bool ValidBmpCompression(uint32_t compression, uint32_t bits) {
    switch (compression) {
        case kBmpRgb:
            return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
        case kBmpRle8:
            return bits == 8;
        case kBmpRle4:
            return bits == 4;
        case kBmpBitFields:
        case kBmpAlphaFields:
            return bits == 16 || bits == 32;
        default:
            return false;
    }
}

// Run-length data is complete when its end-of-bitmap escape is in the file.
bool BmpRunsComplete(Bytes b, std::size_t pos, uint32_t bits) {
    while (Has(b, pos, 2)) {
        const uint32_t count = b[pos];
        const uint32_t code = b[pos + 1];
        pos += 2;
        if (count != 0 || code == 0) {  // a run, or the end of a line
            continue;
        }
        if (code == 1) {
            return true;
        }
        if (code == 2) {  // move by (dx, dy)
            pos += 2;
            continue;
        }
        const std::size_t literal = bits == 8 ? code : (code + 1) / 2;
        pos += (literal + 1) & ~std::size_t(1);  // padded to 16 bits
    }
    return false;
}

// Uncompressed rows are padded to 32 bits; all of them must be in the file.
bool BmpPixelsPresent(Bytes b, uint32_t dataOffset, uint32_t compression, uint64_t width,
                      uint64_t height, uint32_t bits) {
    if (compression == kBmpRle8 || compression == kBmpRle4) {
        return BmpRunsComplete(b, dataOffset, bits);
    }
    if (!Has(b, dataOffset, 1)) {
        return false;
    }
    const uint64_t rowBytes = (width * bits + 31) / 32 * 4;
    return rowBytes <= (b.size() - dataOffset) / height;
}

std::optional<ImageHeader> ReadBmp(Bytes b) {
    if (!Has(b, 0, 18)) {
        return std::nullopt;
    }
    const uint32_t dataOffset = Le32(b, 10);
    const uint32_t infoSize = Le32(b, 14);
    const bool core = infoSize == 12;
    if ((!core && infoSize < 40) || !Has(b, 14, infoSize) || dataOffset < 14 + infoSize) {
        return std::nullopt;
    }
    const int64_t width = core ? int64_t(Le16(b, 18)) : int64_t(int32_t(Le32(b, 18)));
    const int64_t height =
        core ? int64_t(Le16(b, 20)) : int64_t(int32_t(Le32(b, 22)));  // negative: top row first
    const uint32_t bits = core ? Le16(b, 24) : Le16(b, 28);
    const uint32_t compression = core ? kBmpRgb : Le32(b, 30);
    const uint64_t rows = uint64_t(height < 0 ? -height : height);
    if (!ValidSize(uint64_t(std::max<int64_t>(width, 0)), rows) ||
        !ValidBmpCompression(compression, bits) ||
        !BmpPixelsPresent(b, dataOffset, compression, uint64_t(width), rows, bits)) {
        return std::nullopt;
    }
    return Depth(ImageFileKind::Bmp, uint64_t(width), rows, int32_t(bits), false);
}

// GIF ------------------------------------------------------------------------

std::size_t GifColorTableBytes(uint8_t packed) {
    return (packed & 0x80) != 0 ? std::size_t(3) << ((packed & 7) + 1) : 0;
}

// Skips a chain of data sub-blocks; returns the position after its terminator.
std::optional<std::size_t> SkipGifSubBlocks(Bytes b, std::size_t pos) {
    while (Has(b, pos, 1)) {
        if (b[pos] == 0) {
            return pos + 1;
        }
        pos += 1 + std::size_t(b[pos]);
    }
    return std::nullopt;
}

// A GIF decodes when its first frame's data is complete.
std::optional<ImageHeader> ReadGif(Bytes b) {
    if (!Has(b, 0, 13)) {
        return std::nullopt;
    }
    std::optional<std::size_t> pos = 13 + GifColorTableBytes(b[10]);
    while (pos && Has(b, *pos, 2)) {
        const std::size_t block = *pos;
        if (b[block] == 0x21) {  // extension: label, then sub-blocks
            pos = SkipGifSubBlocks(b, block + 2);
        } else if (b[block] == 0x2C && Has(b, block, 11)) {  // image descriptor
            const std::size_t codeSize = block + 10 + GifColorTableBytes(b[block + 9]);
            if (!SkipGifSubBlocks(b, codeSize + 1)) {
                return std::nullopt;
            }
            return Depth(ImageFileKind::Gif, Le16(b, 6), Le16(b, 8), 8, false);
        } else {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

// TIFF -----------------------------------------------------------------------

enum : uint16_t {
    kTiffWidth = 256,
    kTiffHeight = 257,
    kTiffBitsPerSample = 258,
    kTiffPhotometric = 262,
    kTiffStripOffsets = 273,
    kTiffSamplesPerPixel = 277,
    kTiffStripByteCounts = 279,
    kTiffTileOffsets = 324,
    kTiffTileByteCounts = 325,
    kTiffExtraSamples = 338,
};
enum : uint16_t { kTiffShort = 3, kTiffLong = 4 };
constexpr uint32_t kPhotometricSeparated = 5;

// A directory entry of type SHORT or LONG with all of its values inside the file.
struct TiffField {
    uint16_t type = 0;
    uint32_t count = 0;
    std::size_t values = 0;
};

struct TiffDirectory {
    Bytes file;
    bool bigEndian = false;
    std::map<uint16_t, TiffField> fields;

    uint32_t U16(std::size_t p) const { return bigEndian ? Be16(file, p) : Le16(file, p); }
    uint32_t U32(std::size_t p) const { return bigEndian ? Be32(file, p) : Le32(file, p); }

    std::optional<uint32_t> Value(uint16_t tag, uint32_t index) const {
        const auto it = fields.find(tag);
        if (it == fields.end() || index >= it->second.count) {
            return std::nullopt;
        }
        const TiffField& f = it->second;
        return f.type == kTiffShort ? U16(f.values + 2 * std::size_t(index))
                                    : U32(f.values + 4 * std::size_t(index));
    }
    std::optional<uint32_t> ValueOr(uint16_t tag, uint32_t fallback) const {
        return fields.contains(tag) ? Value(tag, 0) : fallback;
    }
    uint32_t Count(uint16_t tag) const {
        const auto it = fields.find(tag);
        return it == fields.end() ? 0 : it->second.count;
    }
};

std::optional<TiffDirectory> ReadTiffDirectory(Bytes b) {
    if (!Has(b, 0, 8)) {
        return std::nullopt;
    }
    TiffDirectory dir{b, b[0] == 'M', {}};
    const std::size_t start = dir.U32(4);
    if (!Has(b, start, 2) || !Has(b, start + 2, 12 * uint64_t(dir.U16(start)))) {
        return std::nullopt;
    }
    const std::size_t entries = dir.U16(start);
    for (std::size_t e = start + 2; e < start + 2 + 12 * entries; e += 12) {
        const auto type = uint16_t(dir.U16(e + 2));
        if (type != kTiffShort && type != kTiffLong) {
            continue;
        }
        const uint32_t count = dir.U32(e + 4);
        const uint64_t bytes = uint64_t(count) * (type == kTiffShort ? 2 : 4);
        const std::size_t values = bytes <= 4 ? e + 8 : dir.U32(e + 8);
        if (!Has(b, values, bytes)) {
            return std::nullopt;
        }
        dir.fields[uint16_t(dir.U16(e))] = TiffField{type, count, values};
    }
    return dir;
}

// Every strip (or tile) of the first image must lie inside the file.
bool TiffPixelsPresent(const TiffDirectory& dir) {
    const bool tiled = dir.fields.contains(kTiffTileOffsets);
    const uint16_t offsets = tiled ? kTiffTileOffsets : kTiffStripOffsets;
    const uint16_t counts = tiled ? kTiffTileByteCounts : kTiffStripByteCounts;
    const uint32_t pieces = dir.Count(offsets);
    if (pieces == 0 || dir.Count(counts) != pieces) {
        return false;
    }
    for (uint32_t i = 0; i < pieces; ++i) {
        if (!Has(dir.file, *dir.Value(offsets, i), *dir.Value(counts, i))) {
            return false;
        }
    }
    return true;
}

bool TiffHasAlphaSample(const TiffDirectory& dir) {
    for (uint32_t i = 0; i < dir.Count(kTiffExtraSamples); ++i) {
        const uint32_t kind = *dir.Value(kTiffExtraSamples, i);
        if (kind == 1 || kind == 2) {  // associated or unassociated alpha
            return true;
        }
    }
    return false;
}

std::optional<int32_t> TiffBitsPerPixel(uint32_t colorSamples, uint32_t bits,
                                        uint32_t photometric) {
    if (colorSamples == 4 && photometric == kPhotometricSeparated && (bits == 8 || bits == 16)) {
        return 32;
    }
    if (colorSamples == 3) {
        return ColorDepth(bits);
    }
    if (colorSamples == 1) {
        return SingleSampleDepth(bits);
    }
    return std::nullopt;
}

std::optional<ImageHeader> ReadTiff(Bytes b) {
    const auto dir = ReadTiffDirectory(b);
    if (!dir || !TiffPixelsPresent(*dir)) {
        return std::nullopt;
    }
    const auto width = dir->Value(kTiffWidth, 0);
    const auto height = dir->Value(kTiffHeight, 0);
    const auto photometric = dir->Value(kTiffPhotometric, 0);
    const auto samples = dir->ValueOr(kTiffSamplesPerPixel, 1);
    const auto bits = dir->ValueOr(kTiffBitsPerSample, 1);
    const uint32_t extra = dir->Count(kTiffExtraSamples);
    if (!width || !height || !photometric || !samples || !bits || extra >= *samples) {
        return std::nullopt;
    }
    if (TiffHasAlphaSample(*dir)) {
        return Depth(ImageFileKind::Tiff, *width, *height, 32, true);
    }
    const auto depth = TiffBitsPerPixel(*samples - extra, *bits, *photometric);
    if (!depth) {
        return std::nullopt;
    }
    return Depth(ImageFileKind::Tiff, *width, *height, *depth, false);
}

}  // namespace

std::optional<ImageHeader> ReadHeaderDepth(std::span<const uint8_t> file) {
    if (StartsWith(file, "\x89PNG\r\n\x1A\n")) {
        return ReadPng(file);
    }
    if (StartsWith(file, "\xFF\xD8\xFF")) {
        return ReadJpeg(file);
    }
    if (StartsWith(file, "BM")) {
        return ReadBmp(file);
    }
    if (StartsWith(file, "GIF87a") || StartsWith(file, "GIF89a")) {
        return ReadGif(file);
    }
    if (StartsWith(file, std::string_view("II*\0", 4)) ||
        StartsWith(file, std::string_view("MM\0*", 4))) {
        return ReadTiff(file);
    }
    return std::nullopt;
}

}  // namespace qrv
