// What the user taps is what gets painted: sessions through `mirabo-cli
// replay` at every zoom step with scroll positions that fall inside a
// magnified pixel, checked through the view's snapshots.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "cli/replay_command.h"
#include "cli/testing/replay_scenario_fixture.h"
#include "platform/files/testing/temp_folder.h"

namespace {

using cli_testing::Ppm;
using cli_testing::readPpm;

constexpr COLORREF white = 0xFFFFFF;
constexpr int zoomSteps = 7;
// The snapshot names of the zoom steps, from 25 % to 1600 %.
const char* const stepNames[zoomSteps] = {"25", "50", "100", "200", "400", "800", "1600"};
const COLORREF stepColours[zoomSteps] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF,
                                         0xFF00FF, 0xFFFF00, 0x808000};

// The zoom and scroll position a `state` line reports.
struct ViewState {
    int zoom = 0;
    int scrollX = 0;
    int scrollY = 0;
};

ViewState viewState(const std::string& line) {
    ViewState v;
    const auto zoom = line.find(" zoom="), scroll = line.find(" scroll=");
    EXPECT_NE(zoom, std::string::npos) << line;
    EXPECT_NE(scroll, std::string::npos) << line;
    if (zoom == std::string::npos || scroll == std::string::npos) return v;
    std::sscanf(line.c_str() + zoom, " zoom=%d", &v.zoom);
    std::sscanf(line.c_str() + scroll, " scroll=%d,%d", &v.scrollX, &v.scrollY);
    return v;
}

// The canvas coordinate a view coordinate maps to, as the document maps the stylus.
std::int32_t toCanvas(std::int32_t view, int scroll, int zoom) {
    return zoom >= 0 ? (view + scroll) >> zoom : (view + scroll) << -zoom;
}

class ViewMappingScenarioTest : public cli_testing::ReplayScenarioFixture {};

TEST_F(ViewMappingScenarioTest, ATapPaintsThePixelShownUnderTheStylusAtEveryZoom) {
    ASSERT_EQ(replay("view-mapping-taps.replay"), 0);
    ASSERT_EQ(printed.size(), std::size_t(zoomSteps));
    const Ppm canvas = snapshot("taps.ppm");
    ASSERT_EQ(canvas.width, 600);

    // Each tap painted one pixel: the one the stylus point maps to.
    std::vector<std::pair<std::int32_t, std::int32_t>> tapped;
    for (int step = 0; step < zoomSteps; ++step) {
        const ViewState v = viewState(printed[std::size_t(step)]);
        EXPECT_EQ(v.zoom, step - 2);
        tapped.emplace_back(toCanvas(11, v.scrollX, v.zoom), toCanvas(9, v.scrollY, v.zoom));
    }
    EXPECT_EQ(tapped[6], (std::pair{1, 1}));  // 1600 % from (13, 7): canvas (24 / 16, 16 / 16)
    int painted = 0;
    for (std::int32_t y = 0; y < 600; ++y)
        for (std::int32_t x = 0; x < 600; ++x)
            painted += canvas.at(x, y) != white;
    EXPECT_EQ(painted, zoomSteps);

    for (int step = 0; step < zoomSteps; ++step) {
        SCOPED_TRACE(stepNames[step]);
        const ViewState v = viewState(printed[std::size_t(step)]);
        const auto [cx, cy] = tapped[std::size_t(step)];
        ASSERT_NE(canvas.at(cx, cy), white);
        const Ppm quick = snapshot(std::string("tap-") + stepNames[step] + ".ppm");
        const Ppm full = snapshot(std::string("tap-") + stepNames[step] + "-full.ppm");
        // The stroke's own refresh already shows what a full repaint shows.
        EXPECT_EQ(quick.rgb, full.rgb);
        EXPECT_EQ(full.at(11, 9), canvas.at(cx, cy));

        // Every view pixel shows the canvas pixel a stylus there would paint;
        // taps of later steps had not happened yet.
        const std::set<std::pair<std::int32_t, std::int32_t>> later(tapped.begin() + step + 1,
                                                                    tapped.end());
        int wrong = 0;
        for (std::int32_t vy = 0; vy < full.height; ++vy)
            for (std::int32_t vx = 0; vx < full.width; ++vx) {
                const std::int32_t x = toCanvas(vx, v.scrollX, v.zoom);
                const std::int32_t y = toCanvas(vy, v.scrollY, v.zoom);
                if (x >= 600 || y >= 600) continue;  // the grey margin
                const COLORREF want = later.count({x, y}) ? white : canvas.at(x, y);
                if (full.at(vx, vy) != want && ++wrong <= 3)
                    ADD_FAILURE() << "view pixel " << vx << "," << vy;
            }
        EXPECT_EQ(wrong, 0);
    }
}

TEST_F(ViewMappingScenarioTest, ARubberBandStartsUnderTheStylusAtEveryZoom) {
    ASSERT_EQ(replay("view-mapping-rubber-band.replay"), 0);
    ASSERT_EQ(printed.size(), std::size_t(zoomSteps));
    for (int step = 0; step < zoomSteps; ++step) {
        SCOPED_TRACE(stepNames[step]);
        const ViewState v = viewState(printed[std::size_t(step)]);
        const COLORREF colour = stepColours[step];
        const Ppm band = snapshot(std::string("band-") + stepNames[step] + ".ppm");
        const Ppm drawn = snapshot(std::string("band-") + stepNames[step] + "-drawn.ppm");
        // The corner where the stylus went down, in the preview and in the picture.
        EXPECT_EQ(band.at(21, 17), colour);
        EXPECT_EQ(drawn.at(21, 17), colour);
        if (v.zoom >= 0) {
            // Drawn at canvas resolution either way, then magnified alike.
            EXPECT_EQ(band.rgb, drawn.rgb);
            continue;
        }
        // Reduced, the preview is drawn at view resolution; its top and left
        // edges run from the stylus-down point along the picture's.
        for (std::int32_t x = 21; x <= 100; ++x) {
            ASSERT_EQ(band.at(x, 17), colour) << x;
            ASSERT_EQ(drawn.at(x, 17), colour) << x;
        }
        for (std::int32_t y = 17; y <= 80; ++y) {
            ASSERT_EQ(band.at(21, y), colour) << y;
            ASSERT_EQ(drawn.at(21, y), colour) << y;
        }
    }
}

TEST_F(ViewMappingScenarioTest, TheHandMovesThePictureWithTheStylusAtEveryZoom) {
    ASSERT_EQ(replay("view-mapping-pan.replay"), 0);
    // Ten rectangles, then a state before and after each pan.
    ASSERT_EQ(printed.size(), std::size_t(2 * zoomSteps));
    for (int step = 0; step < zoomSteps; ++step) {
        SCOPED_TRACE(stepNames[step]);
        const ViewState before = viewState(printed[std::size_t(2 * step)]);
        const ViewState after = viewState(printed[std::size_t(2 * step + 1)]);
        const Ppm was = snapshot(std::string("pan-") + stepNames[step] + ".ppm");
        const Ppm moved = snapshot(std::string("pan-") + stepNames[step] + "-moved.ppm");
        if (step == 0) {
            // At 25 % the whole picture fits: nothing to pan.
            EXPECT_EQ(after.scrollX, 0);
            EXPECT_EQ(after.scrollY, 0);
            EXPECT_EQ(was.rgb, moved.rgb);
            continue;
        }
        // The stylus moved 3 right and 1 down: so did the picture.
        ASSERT_EQ(before.scrollX - after.scrollX, 3);
        ASSERT_EQ(before.scrollY - after.scrollY, 1);
        int wrong = 0, changed = 0;
        for (std::int32_t y = 0; y + 1 < was.height; ++y)
            for (std::int32_t x = 0; x + 3 < was.width; ++x) {
                changed += moved.at(x, y) != was.at(x, y);
                if (moved.at(x + 3, y + 1) != was.at(x, y) && ++wrong <= 3)
                    ADD_FAILURE() << "view pixel " << x << "," << y;
            }
        EXPECT_EQ(wrong, 0);
        EXPECT_GT(changed, 50);  // the picture has edges that moved
    }
}

TEST_F(ViewMappingScenarioTest, BelowFullSizeStrokesAtTheEdgesShowAsTheyWillStay) {
    ASSERT_EQ(replay("view-mapping-edges.replay"), 0);
    ASSERT_EQ(printed.size(), 3u);
    const struct {
        const char* name;
        int zoom;
    } passes[] = {{"25", -2}, {"50", -1}, {"50s", -1}};
    const std::pair<std::int32_t, std::int32_t> stylus[] = {{0, 0}, {0, 0}, {1, 2},
                                                            {0, 5}, {3, 1}, {2, 0}};
    for (int pass = 0; pass < 3; ++pass) {
        EXPECT_EQ(viewState(printed[std::size_t(pass)]).zoom, passes[pass].zoom);
        for (int tap = 0; tap < 6; ++tap) {
            const std::string name =
                std::string("edge-") + passes[pass].name + "-" + std::to_string(tap);
            SCOPED_TRACE(name);
            const Ppm quick = snapshot(name + ".ppm");
            const Ppm full = snapshot(name + "-full.ppm");
            EXPECT_EQ(quick.rgb, full.rgb);
            const auto [x, y] = stylus[tap];
            EXPECT_NE(full.at(x, y), white);
        }
    }
    // The scrolled pass really is scrolled by odd amounts.
    const ViewState scrolled = viewState(printed[2]);
    EXPECT_EQ(scrolled.scrollX, 13);
    EXPECT_EQ(scrolled.scrollY, 7);
}

}  // namespace
