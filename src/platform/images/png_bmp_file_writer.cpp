#include "platform/images/png_bmp_file_writer.h"

#include <cstdio>
#include <filesystem>
#include <new>
#include <random>
#include <vector>

#include "core/desktop/image_codec.h"
#include "core/imaging/bmp32_encoder.h"
#include "core/settings/utf8_path.h"
#include "platform/images/png_encoder.h"

namespace qrv {
namespace {

constexpr int kPartNameAttempts = 8;

// Written beside the target under a name no one can foresee, created
// exclusively, and renamed over it: a failed write leaves no file and an
// existing one is replaced whole.
bool WriteWhole(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::random_device random;
    std::string part;
    std::FILE* file = nullptr;
    for (int attempt = 0; attempt < kPartNameAttempts && !file; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%08x%08x.part", random(), random());
        part = path + suffix;
        file = std::fopen(part.c_str(), "wbx");
    }
    if (!file) {
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fclose(file) == 0 && ok;
    std::error_code error;
    if (ok) {
        std::filesystem::rename(Utf8Path(part), Utf8Path(path), error);
    }
    if (!ok || error) {
        std::remove(part.c_str());
        return false;
    }
    return true;
}

}  // namespace

uint32_t PngBmpFileWriter::WriteImageFile(const std::string& path, const PixelImage& pixels,
                                          CaptureFormat format) {
    if (format != CaptureFormat::Png && format != CaptureFormat::Bmp) {
        return kStatusNotSupported;
    }
    if (pixels.Empty()) {
        return kStatusFail;
    }
    try {
        const std::vector<uint8_t> bytes =
            format == CaptureFormat::Png ? EncodePng(pixels) : EncodeBmp32(pixels);
        return WriteWhole(path, bytes) ? kStatusOk : kStatusFail;
    } catch (const std::bad_alloc&) {
        return kStatusOutOfMemory;
    }
}

}  // namespace qrv
