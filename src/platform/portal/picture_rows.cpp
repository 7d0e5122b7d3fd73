#include "platform/portal/picture_rows.h"

#include <spa/buffer/buffer.h>
#include <spa/buffer/meta.h>

namespace qrv {
namespace {

bool Corrupted(const spa_buffer& buffer) {
    const auto* header = static_cast<const spa_meta_header*>(
        spa_buffer_find_meta_data(&buffer, SPA_META_Header, sizeof(spa_meta_header)));
    return header && (header->flags & SPA_META_HEADER_FLAG_CORRUPTED);
}

// A buffer that moves the cursor and damages nothing: the picture in it is
// not new, and some producers leave it blank.
bool CursorOnly(const spa_buffer& buffer) {
    const auto* cursor = static_cast<const spa_meta_cursor*>(
        spa_buffer_find_meta_data(&buffer, SPA_META_Cursor, sizeof(spa_meta_cursor)));
    const spa_meta* damage = spa_buffer_find_meta(&buffer, SPA_META_VideoDamage);
    if (!cursor || !spa_meta_cursor_is_valid(cursor) || !damage) {
        return false;
    }
    const auto* first = static_cast<const spa_meta_region*>(spa_meta_first(damage));
    return !spa_meta_check(first, damage) || !spa_meta_region_is_valid(first);
}

}  // namespace

std::optional<PictureRows> PictureRowsOf(const spa_buffer& buffer, int32_t width, int32_t height) {
    if (buffer.n_datas < 1 || !buffer.datas || width <= 0 || height <= 0 || Corrupted(buffer) ||
        CursorOnly(buffer)) {
        return std::nullopt;
    }
    const spa_data& plane = buffer.datas[0];
    if (!plane.data || !plane.chunk || plane.chunk->size == 0 ||
        (plane.chunk->flags & SPA_CHUNK_FLAG_CORRUPTED)) {
        return std::nullopt;
    }
    const int64_t rowBytes = int64_t(width) * 4;
    // Some producers leave the stride unset for packed rows.
    const int64_t stride = plane.chunk->stride > 0 ? plane.chunk->stride : rowBytes;
    const int64_t needed = stride * (height - 1) + rowBytes;
    const int64_t offset = plane.chunk->offset;
    if (stride < rowBytes || int64_t(plane.chunk->size) < needed ||
        offset + needed > int64_t(plane.maxsize)) {
        return std::nullopt;
    }
    return PictureRows{static_cast<const uint8_t*>(plane.data) + offset, stride};
}

}  // namespace qrv
