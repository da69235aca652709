// Rendering: the plan of a run and its refusals, the strip, the frames, the
// frame folder, the BMP files, and the sphere mapping: its worked row, and
// the fast renderer bit for bit equal to the per-sample definition (so either
// one's faults show, and those of the pixel grids the definition uses).
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/numbers.h"
#include "memory_file_system.h"
#include "render/bmp.h"
#include "render/frame_folder.h"
#include "render/pixel_grid.h"
#include "render/render_run.h"
#include "render/sphere_gather.h"
#include "render/sphere_map.h"
#include "render/strip.h"

namespace gyra {
namespace {

// Blue = column, green = row counted from the top, red = a hash of both.
Surface Numbered(int width, int height) {
  Surface surface = *Surface::Create(width, height);
  for (int s = 0; s < height; ++s)
    for (int x = 0; x < width; ++x)
      surface.View().At(x, s) = {uint8_t(x), uint8_t(height - 1 - s), uint8_t(x * 7 + s * 13), 0};
  return surface;
}

RenderOptions Options(int radius, int frames, int stretch = 0, int trim = 0, int trim_y = 0) {
  return {.Disp_Size = radius, .Flame_Count = frames, .Stretch_On = stretch, .Trim_On = trim, .Trim_Y = trim_y};
}

TEST(PlanRender, TheFrameTable) {
  const struct { int width, height; RenderOptions options; float strip_w, step; int second, last, frames; } rows[] = {
      {300, 300, Options(100, 64, 1), 400, 6.25f, 6, 396, 67},
      {300, 300, Options(100, 8, 1), 400, 50, 50, 350, 8},
      {300, 300, Options(200, 64, 1), 800, 12.5f, 12, 792, 67},  // ties go to the even value
      {640, 480, Options(100, 64), 266.66666f, 4.1666665f, 4, 264, 67},  // the float, not the double
      {640, 480, Options(100, 64, 0, 1, 10), 400, 6.25f, 6, 396, 67},
  };
  for (const auto& r : rows) {
    const auto plan = std::get<RenderPlan>(PlanRender(r.width, r.height, r.options));
    EXPECT_EQ(plan.Strip_W, r.strip_w) << r.strip_w;
    EXPECT_EQ(plan.Flame_Step, r.step) << r.strip_w;
    ASSERT_EQ(plan.positions.size(), size_t(r.frames)) << r.strip_w;
    EXPECT_EQ(plan.positions[1], r.second) << r.strip_w;
    EXPECT_EQ(plan.positions.back(), r.last) << r.strip_w;
  }
  const auto as_is = std::get<RenderPlan>(PlanRender(640, 480, Options(100, 64)));
  EXPECT_EQ(as_is.strip_pixels, 267);
  EXPECT_EQ(as_is.source, (PictureRect{0, 0, 640, 480}));
  const auto trimmed = std::get<RenderPlan>(PlanRender(640, 480, Options(100, 64, 0, 1, 10)));
  EXPECT_EQ(trimmed.source, (PictureRect{0, 48, 640, 320}));
}

TEST(PlanRender, TheTrimBandIsHalfAsHighAsWideFromTrimY) {
  const struct { int width, height, trim_y; PictureRect band; } cases[] = {
      {640, 480, 10, {0, 48, 640, 320}},  {400, 500, 60, {0, 300, 400, 200}}, {400, 500, 70, {0, 350, 400, 150}},
      {401, 250, 33, {0, 82, 401, 168}},  {640, 480, 100, {0, 480, 640, 0}},  {640, 50, -1, {0, 0, 640, 50}},
  };
  for (const auto& c : cases) EXPECT_EQ(TrimBand(c.width, c.height, c.trim_y), c.band) << c.trim_y;
}

TEST(PlanRender, RefusesRunsThatWouldNeverEndOrOverflow) {
  const struct { int width, height; RenderOptions options; RenderStatus status; } cases[] = {
      {640, 480, Options(0, 64), RenderStatus::kBadRadius}, {640, 480, Options(32768, 64), RenderStatus::kBadRadius},
      {640, 480, Options(100, 0), RenderStatus::kBadFrameCount},
      {640, 480, Options(100, 32768), RenderStatus::kBadFrameCount},
      {640, 480, Options(100, 64, 0, 1, 100), RenderStatus::kBadTrimBand},
      {640, 480, Options(100, 64, 0, 1, -10), RenderStatus::kBadTrimBand},
      {1, 480, Options(100, 64, 0, 1), RenderStatus::kBadTrimBand},     // 1 \ 2 = 0 rows
      {1, 400, Options(100, 64), RenderStatus::kWindowDoesNotAdvance},  // Strip_W 0.5
      {640, 480, Options(100, 1000), RenderStatus::kWindowDoesNotAdvance},
      {40000, 100, Options(100, 64), RenderStatus::kStripTooWide},
      {10, 10, Options(8192, 1, 1), RenderStatus::kStripTooWide},  // Strip_W 32768
      {10, 10, Options(8191, 1, 1), RenderStatus::kTooLarge},      // 49146 x 16382
  };
  for (const auto& c : cases)
    EXPECT_EQ(std::get<RenderStatus>(PlanRender(c.width, c.height, c.options)), c.status) << c.width << "x" << c.height;
  EXPECT_EQ(std::get<RenderStatus>(WindowPositions(32768, 1)), RenderStatus::kStripTooWide);
  EXPECT_EQ(std::get<std::vector<int16_t>>(WindowPositions(3, 0.6f)), (std::vector<int16_t>{0, 1, 2}));
}

std::vector<int> Row(const Surface& surface, int scanline, int width, uint8_t Pix_Quad::*channel) {
  std::vector<int> values;
  for (int x = 0; x < width; ++x) values.push_back(surface.View().At(x, scanline).*channel);
  return values;
}

TEST(Strip, ScalesNearestAndRepeatsTheFirst2NColumns) {
  const struct { int src_width, dst_width; std::vector<int> columns; } cases[] = {
      {4, 2, {1, 3}}, {2, 5, {0, 0, 1, 1, 1}}, {5, 3, {0, 2, 4}}, {3, 7, {0, 0, 1, 1, 1, 2, 2}},
  };
  for (const auto& c : cases) {
    Surface dst = *Surface::Create(c.dst_width, 1);
    ScaleNearest(Numbered(c.src_width, 1).View(), {0, 0, c.src_width, 1}, dst.View(), c.dst_width);
    EXPECT_EQ(Row(dst, 0, c.dst_width, &Pix_Quad::blue), c.columns) << c.src_width << " -> " << c.dst_width;
  }
  Surface band = *Surface::Create(3, 4);  // rows 3 .. 8 counted from the top onto 4 rows, 2 of the 3 columns
  ScaleNearest(Numbered(2, 10).View(), {0, 3, 2, 6}, band.View(), 2);
  EXPECT_EQ(Row(band, 0, 3, &Pix_Quad::green), (std::vector<int>{8, 8, 0}));
  EXPECT_EQ(Row(band, 2, 3, &Pix_Quad::green), (std::vector<int>{5, 5, 0}));

  const auto plan = std::get<RenderPlan>(PlanRender(40, 10, Options(5, 8, 1)));  // strip 20, work 30
  const Surface work = BuildWorkStrip(Numbered(40, 10).View(), plan);
  std::vector<int> columns;  // every second picture column, then the first 2N of them again
  for (int x : {1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31, 33, 35, 37, 39}) columns.push_back(x);
  columns.insert(columns.end(), columns.begin(), columns.begin() + 10);
  EXPECT_EQ(Row(work, 9, 30, &Pix_Quad::blue), columns);
  const auto narrow = std::get<RenderPlan>(PlanRender(3, 10, Options(5, 1)));  // a 3-column strip
  const Surface black_after = BuildWorkStrip(Numbered(3, 10).View(), narrow);
  EXPECT_EQ(Row(black_after, 4, 13, &Pix_Quad::red), (std::vector<int>{52, 59, 66, 52, 59, 66, 0, 0, 0, 0, 0, 0, 0}));
}

struct Delivered {
  std::vector<int> numbers, counts;
  std::vector<std::vector<Pix_Quad>> frames;
};

Delivered Collect(const Surface& picture, const RenderPlan& plan, SphereMethod method, int stop_after = -1) {
  Delivered d;
  RenderFrames(picture.View(), plan, [&](const RenderedFrame& f) {
    d.numbers.push_back(f.Flame_No);
    d.counts.push_back(f.caption_count);
    d.frames.emplace_back(f.pixels.pixels, f.pixels.pixels + f.pixels.width * f.pixels.height);
    return f.Flame_No != stop_after;
  }, method);
  return d;
}

TEST(RenderFrames, EveryFrameAsThePerSampleDefinitionWithItsCaptionCount) {
  const Surface picture = Numbered(97, 61);  // as-is: scaled, the last windows run into the copied start
  const auto plan = std::get<RenderPlan>(PlanRender(97, 61, Options(20, 8)));
  const Delivered fast = Collect(picture, plan, SphereMethod::kGather);
  EXPECT_EQ(fast.frames, Collect(picture, plan, SphereMethod::kPerSample).frames);
  EXPECT_NE(fast.frames[0], fast.frames[1]);
  EXPECT_EQ(Collect(picture, plan, SphereMethod::kGather, 3).numbers, (std::vector<int>{1, 2, 3}));
  const Delivered many =
      Collect(picture, std::get<RenderPlan>(PlanRender(97, 61, Options(20, 64, 1))), SphereMethod::kGather);
  ASSERT_EQ(many.numbers.size(), 80u);
  for (int i = 0; i < 80; ++i) {
    EXPECT_EQ(many.numbers[i], i + 1);
    EXPECT_EQ(many.counts[i], std::min(i + 1, 64)) << "the caption's counter stops at Flame_Count";
  }
  EXPECT_EQ(RenderCaption(12, 64), "ﾚﾝﾀﾞﾘﾝｸﾞをしています。12/64");
}

const std::string kImage2 = "C:\\ジラフォト\\Image2";
std::string In(const std::string& name) { return kImage2 + "\\" + name; }

// Leftovers of an earlier, longer run and other files.
MemoryFileSystem FolderWithOldFrames() {
  MemoryFileSystem fs;
  fs.AddFolder("C:\\ジラフォト");
  fs.AddFolder(kImage2);
  for (const char* name : {"PicD_001.bmp", "PicD_099.bmp", "OLD.BMP", "notes.txt"}) fs.AddFile(In(name), "old");
  fs.AddFolder(In("album.bmp"));
  return fs;
}

std::vector<std::string> Names(const MemoryFileSystem& fs) {
  std::vector<std::string> names;
  const auto entries = fs.ListFolder(kImage2);
  for (const FolderEntry& e : *entries) names.push_back(e.name);
  return names;
}

TEST(RenderToFolder, WritesEachFrameBeforeHandingItOnAndLosesNothingOnRefusal) {
  const Surface picture = Numbered(50, 30);
  const struct { const char* what; RenderOptions options; int stop_after; const char* failing; RenderStatus status;
                 std::vector<std::string> names; } cases[] = {
      {"done", Options(10, 3, 1), -1, "", RenderStatus::kDone,
       {"notes.txt", "album.bmp", "PicD_001.bmp", "PicD_002.bmp", "PicD_003.bmp", "PicD_004.bmp"}},
      {"cancelled", Options(10, 8, 1), 2, "", RenderStatus::kCancelled,
       {"notes.txt", "album.bmp", "PicD_001.bmp", "PicD_002.bmp"}},
      {"frame 2 not saved", Options(10, 8, 1), -1, "PicD_002.bmp", RenderStatus::kFrameNotSaved,
       {"notes.txt", "album.bmp", "PicD_001.bmp"}},
      {"bad band", Options(10, 8, 0, 1, 100), -1, "", RenderStatus::kBadTrimBand,
       {"PicD_001.bmp", "PicD_099.bmp", "OLD.BMP", "notes.txt", "album.bmp"}},
      {"locked old frame", Options(10, 8, 1), -1, "PicD_099.bmp", RenderStatus::kFolderNotCleared,
       {"PicD_099.bmp", "OLD.BMP", "notes.txt", "album.bmp"}},
  };
  for (const auto& c : cases) {
    MemoryFileSystem fs = FolderWithOldFrames();
    fs.failing_paths.insert(In(c.failing));
    std::vector<std::string> handed_on;
    const RenderStatus status = RenderToFolder(fs, kImage2, picture.View(), c.options, [&](const RenderedFrame& f) {
      EXPECT_TRUE(fs.HasFile(In(FrameFileName(f.Flame_No)))) << c.what;
      handed_on.push_back(EncodeBmp(f.pixels));
      return f.Flame_No != c.stop_after;
    });
    EXPECT_EQ(status, c.status) << c.what;
    EXPECT_EQ(Names(fs), c.names) << c.what;
    for (size_t i = 0; i < handed_on.size(); ++i) EXPECT_EQ(fs.Bytes(In(FrameFileName(i + 1))), handed_on[i]) << c.what;
  }
  EXPECT_EQ(FrameFileName(7) + FrameFileName(1000), "PicD_007.bmpPicD_1000.bmp");
}

TEST(EncodeBmp, A24BitBottomUpFileWithPaddedRows) {
  Surface surface = *Surface::Create(3, 2);
  surface.View().At(0, 0) = {1, 2, 3, 99};  // bottom left
  surface.View().At(2, 1) = {4, 5, 6, 99};  // top right
  const std::string bytes = EncodeBmp(surface.View());
  // Size 78, pixels at 54, a 40-byte header, 3 x 2, 1 plane, 24 bits, none packed, 24 bytes.
  EXPECT_EQ(bytes.substr(0, 38), std::string("BM\x4E\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0", 18) +
                                     std::string("\3\0\0\0\2\0\0\0\1\0\x18\0\0\0\0\0\x18\0\0\0", 20));
  EXPECT_EQ(bytes.substr(38), std::string(16, '\0') + std::string("\x01\x02\x03", 3) + std::string(9, '\0') +
                                  std::string(6, '\0') + "\x04\x05\x06" + std::string(3, '\0'));
}

TEST(SurfacePixelCount, RefusesWhatNoDibCouldHold) {
  const struct { int width, height; std::optional<size_t> count; } cases[] = {
      {32767, 16383, 536821761}, {32768, 16384, std::nullopt}, {INT32_MAX, INT32_MAX, std::nullopt},
      {0, 10, std::nullopt},     {10, -1, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(SurfacePixelCount(c.width, c.height), c.count) << c.width << "x" << c.height;
}

// As GetPicBits fills it (row 0 and column 2N stay black), every cell
// distinct so that each destination names the sample that painted it.
PixelGrid Source(int n) {
  PixelGrid grid(2 * n, 2 * n);
  for (int r = 1; r <= 2 * n; ++r)
    for (int c = 0; c < 2 * n; ++c) grid.At(c, r) = {uint8_t(c), uint8_t(r), 0, 0};
  return grid;
}

TEST(SphereMap, WorkedRowOfRadius100) {
  const SphereConstants k = SphereConstantsFor(RunSphereArgs(100));
  EXPECT_EQ(k.yScale, 1.0050251256281406);
  EXPECT_EQ(k.dTheta, 0.00473606932160804);
  EXPECT_EQ(k.steps.xStep, 0.3);
  EXPECT_EQ(k.steps.yStep, 0.5);
  EXPECT_EQ(SphereConstantsFor(RunSphereArgs(1)).steps.yStep, 0.2);  // the disc outgrows the diagonal
  std::vector<SphereSample> row;
  int row_passes = 0;
  double last_y = -1;
  WalkSphereSamples(RunSphereArgs(100), [&](const SphereSample& s) {
    if (s.Y != last_y) ++row_passes, last_y = s.Y;
    if (s.Y == 100) row.push_back(s);
    return true;
  });
  EXPECT_EQ(row_passes, 399);
  ASSERT_EQ(row.size(), 664u);
  EXPECT_EQ(row[0].yc, -0.5025125628140614);
  EXPECT_EQ(row[0].hw, 99.99873739765025);
  EXPECT_EQ(row[0].dy, 100.50251256281406);
  const int read_columns[] = {0, 0, 1, 1, 1, 2};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(RoundHalfEven(row[i].X), read_columns[i]) << i;
    EXPECT_EQ(RoundHalfEven(row[i].dx), 0) << i;
  }
  EXPECT_EQ(row[5].X, 1.5);  // five additions of 0.3 land exactly on the tie
  EXPECT_EQ(RoundHalfEven(row[332].dx), 101);
  EXPECT_EQ(RoundHalfEven(row[663].X), 199);
  EXPECT_EQ(RoundHalfEven(row[663].dx), 200);
}

// Column 200 of row 101 is painted last by the pass Y = 100.5, reading
// source row round(100.5) = 100, column 199; an off-centre disc or W = 0 (an
// infinite angle step) leaves the grid.
TEST(SphereMap, TheWorkedRowLandsWhereTheWalkSaysAndStrayDiscsAreRefused) {
  PixelGrid dst(200, 200), small(10, 10);
  ASSERT_TRUE(MapToSphere(Source(100), RunSphereArgs(100), dst));
  EXPECT_EQ(dst.At(200, 101), (Pix_Quad{199, 100, 0, 0}));
  EXPECT_FALSE(MapToSphere(Source(5), {0, 0, 9, 9, 8, 5, 5}, small));
  EXPECT_FALSE(MapToSphere(Source(5), {0, 0, 0, 9, 5, 5, 5}, small));
}

TEST(SphereGather, EveryPixelAsThePerSampleDefinition) {
  for (int n : {1, 2, 100, 137}) {
    Surface strip = *Surface::Create(2 * n, 2 * n);
    std::mt19937 random(n);
    for (int i = 0; i < 4 * n * n; ++i) strip.View().pixels[i] = {uint8_t(random()), uint8_t(i), uint8_t(random())};
    PixelGrid src(2 * n, 2 * n), dst(2 * n, 2 * n);
    GetPicBits(strip.View(), src);
    ASSERT_TRUE(MapToSphere(src, RunSphereArgs(n), dst));
    Surface expected = *Surface::Create(2 * n, 2 * n), frame = *Surface::Create(2 * n, 2 * n);
    SetPicBits(dst, expected.View());
    SphereGather(n, 2 * n).Render(strip.View(), 0, frame.View());
    int differing = 0;
    for (int i = 0; i < 4 * n * n; ++i) differing += !(expected.View().pixels[i] == frame.View().pixels[i]);
    EXPECT_EQ(differing, 0) << "N = " << n;
  }
}

}  // namespace
}  // namespace gyra
