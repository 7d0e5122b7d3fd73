#include "platform/portal/picture_rows.h"

#include <gtest/gtest.h>

#include <spa/buffer/buffer.h>
#include <spa/buffer/meta.h>

#include <vector>

namespace qrv {
namespace {

// A buffer of one plane for 4 x 3 frames of 4-byte pixels, with the metadata
// a producer may attach, each changed by a case.
struct TestBuffer {
    std::vector<uint8_t> pixels = std::vector<uint8_t>(64);
    spa_chunk chunk{0, 48, 16, 0};
    spa_data plane{};
    spa_meta_header header{};
    spa_meta_cursor cursor{};
    spa_meta_region damage[2]{};
    std::vector<spa_meta> metas;
    spa_buffer buffer{};

    TestBuffer() {
        plane.type = SPA_DATA_MemPtr;
        plane.maxsize = uint32_t(pixels.size());
        plane.data = pixels.data();
        plane.chunk = &chunk;
        damage[0].region = SPA_REGION(0, 0, 4, 3);
    }
    TestBuffer(const TestBuffer&) = delete;
    // Finishes the buffer with the metadata that is asked for.
    const spa_buffer& With(bool headerMeta, bool cursorMeta, bool damageMeta) {
        metas.clear();
        if (headerMeta) {
            metas.push_back({SPA_META_Header, sizeof(header), &header});
        }
        if (cursorMeta) {
            metas.push_back({SPA_META_Cursor, sizeof(cursor), &cursor});
        }
        if (damageMeta) {
            metas.push_back({SPA_META_VideoDamage, sizeof(damage), damage});
        }
        buffer = spa_buffer{uint32_t(metas.size()), 1, metas.data(), &plane};
        return buffer;
    }
};

TEST(PictureRowsTest, TakesOnlyBuffersThatHoldAWholePicture) {
    const struct {
        const char* what;
        void (*change)(TestBuffer&);
        bool cursorMeta;
        bool picture;
    } cases[] = {
        {"a whole frame", [](TestBuffer&) {}, false, true},
        {"a whole frame that moves the cursor too", [](TestBuffer& b) { b.cursor.id = 1; }, true,
         true},
        {"rows packed, stride unset", [](TestBuffer& b) { b.chunk.stride = 0; }, false, true},
        {"empty (chunk size 0)", [](TestBuffer& b) { b.chunk.size = 0; }, false, false},
        {"chunk marked corrupted", [](TestBuffer& b) { b.chunk.flags = SPA_CHUNK_FLAG_CORRUPTED; },
         false, false},
        {"header marked corrupted",
         [](TestBuffer& b) { b.header.flags = SPA_META_HEADER_FLAG_CORRUPTED; }, false, false},
        {"a cursor move only: a cursor, no damage",
         [](TestBuffer& b) {
             b.cursor.id = 1;
             b.damage[0].region = SPA_REGION(0, 0, 0, 0);
         },
         true, false},
        {"shorter than the frame", [](TestBuffer& b) { b.chunk.size = 47; }, false, false},
        {"rows narrower than the frame", [](TestBuffer& b) { b.chunk.stride = 12; }, false, false},
        {"reaching past the memory", [](TestBuffer& b) { b.chunk.offset = 17; }, false, false},
        {"not mapped", [](TestBuffer& b) { b.plane.data = nullptr; }, false, false},
    };
    for (const auto& c : cases) {
        TestBuffer b;
        c.change(b);
        const std::optional<PictureRows> rows =
            PictureRowsOf(b.With(true, c.cursorMeta, true), 4, 3);
        EXPECT_EQ(rows.has_value(), c.picture) << c.what;
        if (rows) {
            EXPECT_EQ(rows->first, b.pixels.data());
            EXPECT_EQ(rows->stride, 16);
        }
    }
    TestBuffer b;
    EXPECT_FALSE(PictureRowsOf(b.With(false, false, false), 5, 3)) << "a frame of another size";
    EXPECT_FALSE(PictureRowsOf(b.With(false, false, false), 0, 0)) << "no format yet";
}

}  // namespace
}  // namespace qrv
