// Feeds arbitrary bytes to the image loader as the window uses it: PNG and BMP
// through its own decoders, JPEG, GIF and TIFF through Qt's readers. It must
// never crash, hang or report a decoded image that disagrees with its own
// header.
#include <QtGlobal>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/imaging/qt_image_reader.h"
#include "core/imaging/image_header_depth.h"
#include "platform/images/image_file_codec.h"

namespace {

// Decoder warnings would flood the fuzzer's output.
void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

bool KnownDepth(int32_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qInstallMessageHandler(Quiet);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    // A few megapixels keep every input well inside the fuzzer's memory limit.
    static qrv::ImageFileCodec codec = [] {
        qrv::ImageFileCodec c(uint64_t(1) << 22);
        c.ReadOtherKindsWith(&qrv::ReadImageWithQt);
        return c;
    }();
    std::vector<uint8_t> bytes(data, data + size);  // the decoder works in the file's bytes
    qrv::DecodedImage out;
    const uint32_t status = codec.DecodeImageBytes(bytes, {}, out);
    if (status != qrv::kStatusOk) {
        if (!out.pixels.Empty() || out.bitsPerPixel != 0) {
            __builtin_trap();
        }
        return 0;
    }
    const auto header = qrv::ReadHeaderDepth(std::span(data, size));
    if (!header || out.pixels.m_iWidth != header->width || out.pixels.m_iHeight != header->height ||
        out.pixels.Stride() != header->width || out.bitsPerPixel != header->bitsPerPixel ||
        !KnownDepth(out.bitsPerPixel) || (out.hasAlpha && out.bitsPerPixel != 32)) {
        __builtin_trap();
    }
    return 0;
}
