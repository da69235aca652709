// Rendering: the plan and its refusals, the strip, the frames against the
// per-sample sphere definition, the frame folder, a worked sphere row.
#include <gtest/gtest.h>

#include "core/numbers.h"
#include "memory_file_system.h"
#include "render/bmp.h"
#include "render/frame_folder.h"
#include "render/pixel_grid.h"
#include "render/render_run.h"
#include "render/sphere_map.h"
#include "render/strip.h"

namespace gyra {
namespace {

// Blue = column, green = row counted from the top, red = a mix of both.
Surface Numbered(int width, int height) {
  Surface surface = *Surface::Create(width, height);
  for (int s = 0; s < height; ++s)
    for (int x = 0; x < width; ++x)
      surface.View().At(x, s) = {uint8_t(x), uint8_t(height - 1 - s), uint8_t(x * 7 + s * 13), 0};
  return surface;
}

RenderOptions Options(int radius, int frames, int stretch = 0, int trim = 0, int trim_top = 0) {
  return {.radius = radius, .frame_count = frames, .stretch = stretch, .trim = trim, .trim_top = trim_top};
}

TEST(PlanRender, TheFrameTableAndTheTrimBand) {
  const struct { int width; RenderOptions options; float strip_width, step; size_t frames; int second, last; } rows[] = {
      {300, Options(100, 64, 1), 400, 6.25f, 67, 6, 396}, {300, Options(100, 8, 1), 400, 50, 8, 50, 350},
      {300, Options(200, 64, 1), 800, 12.5f, 67, 12, 792},  // ties go to the even value
      {640, Options(100, 64), 266.66666f, 4.1666665f, 67, 4, 264},  // the float, not the double
      {640, Options(100, 64, 0, 1, 10), 400, 6.25f, 67, 6, 396},
  };
  for (const auto& r : rows) {
    const auto plan = std::get<RenderPlan>(PlanRender(r.width, 480, r.options));
    ASSERT_EQ(plan.positions.size(), r.frames) << r.strip_width;
    EXPECT_EQ(std::tuple(plan.strip_width, plan.frame_step, plan.positions[1], plan.positions.back()),
              std::tuple(r.strip_width, r.step, int16_t(r.second), int16_t(r.last)));
  }
  EXPECT_EQ(std::get<RenderPlan>(PlanRender(640, 480, Options(100, 64))).strip_pixels, 267);
  EXPECT_EQ(std::get<RenderPlan>(PlanRender(640, 480, Options(100, 64, 0, 1, 10))).source,
            (PictureRect{0, 48, 640, 320}));
  const struct { int width, height, trim_top; PictureRect band; } bands[] = {
      {400, 500, 60, {0, 300, 400, 200}}, {400, 500, 70, {0, 350, 400, 150}},  // cut at the bottom
      {401, 250, 33, {0, 82, 401, 168}},  {640, 50, -1, {0, 0, 640, 50}},
  };
  for (const auto& b : bands) EXPECT_EQ(TrimBand(b.width, b.height, b.trim_top), b.band) << b.trim_top;
}

TEST(PlanRender, RefusesRunsThatWouldNeverEndOrOverflow) {
  using enum RenderStatus;
  const struct { int width, height; RenderOptions options; RenderStatus status; } cases[] = {
      {640, 480, Options(0, 64), kBadRadius},        {640, 480, Options(32768, 64), kBadRadius},
      {640, 480, Options(100, 0), kBadFrameCount},   {640, 480, Options(100, 32768), kBadFrameCount},
      {640, 480, Options(100, 64, 0, 1, 100), kBadTrimBand}, {640, 480, Options(100, 1000), kWindowDoesNotAdvance},
      {1, 480, Options(100, 64, 0, 1), kBadTrimBand},  // 1 \ 2 = 0 rows
      {10, 10, Options(8192, 1, 1), kStripTooWide}, {10, 10, Options(8191, 1, 1), kTooLarge},  // 32768; 49146 x 16382
  };
  for (const auto& c : cases)
    EXPECT_EQ(std::get<RenderStatus>(PlanRender(c.width, c.height, c.options)), c.status) << c.width << "x" << c.height;
  EXPECT_EQ(SurfacePixelCount(32767, 16383), 536821761u);
  for (const auto& [width, height] : {std::pair{32768, 16384}, {INT32_MAX, INT32_MAX}, {0, 10}})
    EXPECT_EQ(SurfacePixelCount(width, height), std::nullopt) << width << "x" << height;
}

std::vector<int> Row(const Surface& surface, int scanline, int width, uint8_t Pixel::*channel) {
  std::vector<int> values;
  for (int x = 0; x < width; ++x) values.push_back(surface.View().At(x, scanline).*channel);
  return values;
}

TEST(Strip, ScalesNearestAndRepeatsTheFirst2NColumns) {
  const struct { int src_width, dst_width; std::vector<int> columns; } cases[] = {
      {4, 2, {1, 3}}, {2, 5, {0, 0, 1, 1, 1}}, {3, 7, {0, 0, 1, 1, 1, 2, 2}},
  };
  for (const auto& c : cases) {
    Surface dst = *Surface::Create(c.dst_width, 1);
    ScaleNearest(Numbered(c.src_width, 1).View(), {0, 0, c.src_width, 1}, dst.View(), c.dst_width);
    EXPECT_EQ(Row(dst, 0, c.dst_width, &Pixel::blue), c.columns) << c.src_width << " -> " << c.dst_width;
  }
  Surface band = *Surface::Create(3, 4);  // rows 3 .. 8 counted from the top onto 4 rows, 2 of the 3 columns
  ScaleNearest(Numbered(2, 10).View(), {0, 3, 2, 6}, band.View(), 2);
  EXPECT_EQ(Row(band, 0, 3, &Pixel::green), (std::vector<int>{8, 8, 0}));
  EXPECT_EQ(Row(band, 2, 3, &Pixel::green), (std::vector<int>{5, 5, 0}));
  const auto plan = [](int width, const RenderOptions& o) { return std::get<RenderPlan>(PlanRender(width, 10, o)); };
  EXPECT_EQ(Row(BuildWorkStrip(Numbered(40, 10).View(), plan(40, Options(5, 8, 1))), 9, 30, &Pixel::blue),
            (std::vector<int>{1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31, 33, 35, 37, 39,  // every 2nd
                              1, 3, 5, 7, 9, 11, 13, 15, 17, 19}));  // its first 2N again
  const Surface narrow = BuildWorkStrip(Numbered(3, 10).View(), plan(3, Options(5, 1)));  // again, then black
  EXPECT_EQ(Row(narrow, 4, 13, &Pixel::red), (std::vector<int>{52, 59, 66, 52, 59, 66, 0, 0, 0, 0, 0, 0, 0}));
}

std::vector<std::string> Frames(const Surface& picture, const RenderOptions& options, SphereMethod method) {
  std::vector<std::string> frames;
  const auto plan = std::get<RenderPlan>(PlanRender(picture.width(), picture.height(), options));
  RenderFrames(picture.View(), plan, [&](const RenderedFrame& f) { frames.push_back(EncodeBmp(f.pixels)); return true; },
               method);
  return frames;
}

// The last windows run into the strip's copied start.
TEST(RenderFrames, EveryFrameAsThePerSampleDefinition) {
  const Surface picture = Numbered(97, 61);
  for (int n : {1, 2, 20, 137}) {
    const auto frames = Frames(picture, Options(n, 3), SphereMethod::kGather);
    EXPECT_EQ(frames, Frames(picture, Options(n, 3), SphereMethod::kPerSample)) << "N = " << n;
    EXPECT_NE(frames[0], frames[1]) << "N = " << n;
  }
}

TEST(RenderToFolder, WritesEachFrameBeforeHandingItOnAndLosesNothingOnRefusal) {
  const std::string image2 = "C:\\ジラフォト\\Image2";
  const Surface picture = Numbered(50, 30);
  // PicD_050.bmp.new: a frame whose writing was cut short.
  const std::vector<std::string> old = {"PicD_001.bmp", "PicD_050.bmp.new", "PicD_099.bmp", "OLD.BMP", "notes.txt",
                                        "album.bmp"};
  using enum RenderStatus;
  const struct { RenderOptions options; int stop_after; std::string failing; RenderStatus status; int kept, frames; }
      cases[] = {{Options(10, 3, 1), -1, "", kDone, 2, 4}, {Options(10, 8, 1), 2, "", kCancelled, 2, 2},
                 {Options(10, 8, 1), -1, "PicD_002.bmp", kFrameNotSaved, 2, 1},
                 {Options(10, 8, 0, 1, 100), -1, "", kBadTrimBand, 6, 0},  // nothing deleted
                 {Options(10, 8, 1), -1, "PicD_099.bmp", kFolderNotCleared, 4, 0}};
  for (const auto& c : cases) {
    MemoryFileSystem fs;
    for (const std::string& folder : {std::string("C:\\ジラフォト"), image2}) fs.AddFolder(folder);
    for (const std::string& name : old) fs.AddFile(image2 + "\\" + name, "old");
    fs.AddFolder(image2 + "\\album.bmp");  // made a folder named like a frame
    fs.failing_paths.insert(image2 + "\\" + c.failing);
    std::vector<std::string> expected(old.end() - c.kept, old.end()), handed_on;
    std::vector<int> counts;  // at most frame_count
    const RenderStatus status = RenderToFolder(fs, image2, picture.View(), c.options, [&](const RenderedFrame& f) {
      EXPECT_TRUE(fs.HasFile(image2 + "\\" + FrameFileName(f.frame_number))) << "written before it is handed on";
      handed_on.push_back(EncodeBmp(f.pixels));
      counts.push_back(f.caption_count);
      return f.frame_number != c.stop_after;
    });
    for (int i = 1; i <= c.frames; ++i) expected.push_back(FrameFileName(i));
    std::vector<std::string> names;
    const auto entries = fs.ListFolder(image2);
    for (const FolderEntry& e : *entries) names.push_back(e.name);
    EXPECT_EQ(std::tuple(status, names), std::tuple(c.status, expected));
    for (size_t i = 0; i < handed_on.size(); ++i)
      EXPECT_EQ(fs.Bytes(image2 + "\\" + FrameFileName(i + 1)), handed_on[i]) << i;
    EXPECT_TRUE(c.status != kDone || counts == std::vector<int>({1, 2, 3, 3})) << "the caption's counter";
  }
  MemoryFileSystem no_image2;
  EXPECT_EQ(RenderToFolder(no_image2, image2, picture.View(), Options(10, 8, 1), [](auto&) { return true; }),
            kFolderNotCleared);
  EXPECT_EQ(FrameFileName(7) + FrameFileName(1000), "PicD_007.bmpPicD_1000.bmp");
}

TEST(SphereMap, WorkedRowOfRadius100) {
  const SphereConstants k = SphereConstantsFor(RunSphereArgs(100));
  EXPECT_EQ(std::tuple(k.yScale, k.dTheta, k.steps.xStep, k.steps.yStep),
            std::tuple(1.0050251256281406, 0.00473606932160804, 0.3, 0.5));
  EXPECT_EQ(SphereConstantsFor(RunSphereArgs(1)).steps.yStep, 0.2);  // the disc outgrows the diagonal
  std::vector<SphereSample> row;
  WalkSphereSamples(RunSphereArgs(100), [&](const SphereSample& s) { if (s.Y == 100) row.push_back(s); return true; });
  ASSERT_EQ(row.size(), 664u);
  EXPECT_EQ(std::tuple(row[0].yc, row[0].hw, row[0].dy),
            std::tuple(-0.5025125628140614, 99.99873739765025, 100.50251256281406));
  std::vector<double> rounded;  // read column and destination column of the first samples and the last
  for (int i : {0, 1, 2, 4, 5, 332, 663})
    rounded.insert(rounded.end(), {RoundHalfEven(row[i].X), RoundHalfEven(row[i].dx)});
  EXPECT_EQ(rounded, (std::vector<double>{0, 0, 0, 0, 1, 0, 1, 0, 2, 0, 100, 101, 199, 200}));  // row[5].X is 1.5
  // Column 200 of row 101 is painted last by the pass Y = 100.5 from row 100,
  // column 199; an off-centre disc or W = 0 (an infinite angle step) is refused.
  PixelGrid src(200, 200), dst(200, 200), small(10, 10);
  for (int r = 1; r <= 200; ++r)
    for (int c = 0; c < 200; ++c) src.At(c, r) = {uint8_t(c), uint8_t(r), 0, 0};
  ASSERT_TRUE(MapOntoSphere(src, RunSphereArgs(100), dst));
  EXPECT_EQ(dst.At(200, 101), (Pixel{199, 100, 0, 0}));
  EXPECT_FALSE(MapOntoSphere(src, {0, 0, 9, 9, 8, 5, 5}, small));
  EXPECT_FALSE(MapOntoSphere(src, {0, 0, 0, 9, 5, 5, 5}, small));
}

}  // namespace
}  // namespace gyra
