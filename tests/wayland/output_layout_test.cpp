#include "platform/wayland_client/output_layout.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

struct LayoutCase {
    const char* what;
    std::vector<OutputGeometry> outputs;
    std::vector<Rect> monitors;
    Rect virtualScreen;
};

class OutputLayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(OutputLayoutTest, MonitorsHoldEachOutputsPixels) {
    const LayoutCase& c = GetParam();
    OutputLayout layout(c.outputs);
    EXPECT_EQ(layout.Monitors(), c.monitors);
    EXPECT_EQ(layout.VirtualScreen(), c.virtualScreen);
    // Every monitor pixel maps back into its own output's logical rectangle.
    for (std::size_t i = 0; i < layout.Screens().size(); ++i) {
        const Rect& s = layout.Screens()[i];
        for (Point p : {Point{s.left, s.top}, Point{s.right - 1, s.bottom - 1}}) {
            auto logical = layout.ToLogical(p);
            ASSERT_TRUE(logical);
            EXPECT_EQ(logical->output, i);
            const Rect& l = layout.Outputs()[i].logical;
            EXPECT_GE(logical->x, l.left);
            EXPECT_LT(logical->x, l.right);
            EXPECT_GE(logical->y, l.top);
            EXPECT_LT(logical->y, l.bottom);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, OutputLayoutTest,
    testing::Values(
        LayoutCase{"one output",
                   {{"A", {0, 0, 1920, 1080}, 1920, 1080}},
                   {{0, 0, 1920, 1080}},
                   {0, 0, 1920, 1080}},
        LayoutCase{"left of the origin, listed first",
                   {{"L", {-1280, 0, 0, 1024}, 1280, 1024}, {"R", {0, 0, 1920, 1080}, 1920, 1080}},
                   {{0, 0, 1920, 1080}, {-1280, 0, 0, 1024}},
                   {-1280, 0, 1920, 1080}},
        LayoutCase{"scale 2 everywhere magnifies the layout",
                   {{"A", {0, 0, 960, 540}, 1920, 1080}, {"B", {960, -100, 1920, 440}, 1920, 1080}},
                   {{0, 0, 1920, 1080}, {1920, -200, 3840, 880}},
                   {0, -200, 3840, 1080}},
        LayoutCase{"outputs away from the origin: the box still holds it",
                   {{"A", {100, 50, 740, 530}, 640, 480}},
                   {{100, 50, 740, 530}},
                   {0, 0, 740, 530}},
        LayoutCase{"outputs not yet described are left out",
                   {{"A", {0, 0, 0, 0}, 1920, 1080},
                    {"B", {0, 0, 800, 600}, 0, 0},
                    {"C", {0, 0, 800, 600}, 800, 600}},
                   {{0, 0, 800, 600}},
                   {0, 0, 800, 600}}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return std::to_string(info.index); });

TEST(OutputLayoutTest, PointsOffEveryOutputHaveNoLogicalPlace) {
    OutputLayout layout(
        {{"L", {-1280, 0, 0, 1024}, 1280, 1024}, {"R", {0, 0, 960, 540}, 1920, 1080}});
    EXPECT_FALSE(layout.ToLogical({-1, 1024}));
    EXPECT_FALSE(layout.ToLogical({1920, 0}));
    auto p = layout.ToLogical({1001, 501});
    ASSERT_TRUE(p);
    EXPECT_DOUBLE_EQ(p->x, 500.5);
    EXPECT_DOUBLE_EQ(p->y, 250.5);
    EXPECT_EQ(layout.LogicalBox(), (Rect{-1280, 0, 960, 1024}));
}

}  // namespace
}  // namespace qrv
