// Picture sizes, BMP reading as GDI does it, the headless renderer on
// damaged, tiny and huge pictures, and pictures turned upright by their tag.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/surface_orientation.h"
#include "render/bmp.h"
#include "render/bmp_reader.h"
#include "render/decode_reduction.h"
#include "render/decode_scale.h"
#include "render/exif_orientation.h"
#include "render/frame_folder.h"
#include "render/picture_format.h"
#include "render/picture_size.h"

namespace gyra {
namespace {

std::string Contents(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

// A BMP of a colour ramp, or ImageMagick's PNG or JPEG of it.
std::string Written(char format, int width, int height) {
  Surface ramp = *Surface::Create(width, height);
  for (int i = 0; i < width * height; ++i) ramp.View().pixels[i] = {uint8_t(i * 37), uint8_t(i * 11), 200, 0};
  const std::string bmp = EncodeBmp(ramp.View());
  if (format == 'B') return bmp;
  const std::string stem = (std::filesystem::temp_directory_path() / "gyrafoto-sample-").string() + std::to_string(::getpid());
  const std::string in = stem + ".bmp", out = stem + (format == 'P' ? ".png" : ".jpg");
  std::ofstream(in, std::ios::binary) << bmp;
  EXPECT_EQ(std::system(("convert '" + in + "' '" + out + "'").c_str()), 0);
  const std::string bytes = Contents(out);
  for (const std::string& file : {in, out}) std::filesystem::remove(file);
  return bytes;
}

const std::string kGif("GIF89a\1\0\1\0\x80\0\0\xff\xff\xff\0\0\0,\0\0\0\0\1\0\1\0\0\2\2D\1\0;", 35);  // 1 x 1

// The file with other numbers in its header at `at`, little- or big-endian.
std::string Put(std::string bytes, size_t at, int size, bool big_endian, std::initializer_list<int64_t> numbers) {
  for (const int64_t number : numbers) {
    for (int i = 0; i < size; ++i) bytes[at + (big_endian ? size - 1 - i : i)] = char(number >> (8 * i));
    at += size;
  }
  return bytes;
}
std::string Bmp(int64_t w, int64_t h) { return Put(Written('B', 8, 4), 18, 4, false, {w, h}); }
std::string Png(int64_t w, int64_t h) { return Put(Written('P', 8, 4), 16, 4, true, {w, h}); }
std::string Gif(int64_t w, int64_t h) { return Put(kGif, 6, 2, false, {w, h}); }
std::string Jpeg(int64_t w, int64_t h, char frame = '\xC0') {
  std::string bytes = Written('J', 8, 4);
  const size_t at = bytes.find("\xFF\xC0");
  bytes[at + 1] = frame;
  return Put(bytes.insert(at, 1, '\xFF'), at + 6, 2, true, {h, w});  // after a fill byte
}

TEST(PictureSize, HeadersDeclareTheirSize) {
  const struct { std::string head; int64_t width, height; } cases[] = {
      {Bmp(640, -480), 640, 480},  // top-down rows
      {std::string("BM\0\0\0\0\0\0\0\0\x1A\0\0\0\x0C\0\0\0\x2C\x01\xC8\0\1\0\x18\0", 26), 300, 200},  // OS/2
      {Png(4294967295, 1), 4294967295, 1},       {Gif(100, 50), 100, 50},
      {Put(kGif, 24, 2, false, {40000, 30}), 40000, 30},  // an image larger than the screen counts
      {Jpeg(16384, 12288, '\xC2'), 16384, 12288},          // progressive, after a fill byte
  };
  for (const auto& c : cases)
    EXPECT_EQ(PictureHeaderSize(c.head), (DecodeSize{c.width, c.height})) << c.width << " x " << c.height;
  for (const std::string& head : {Bmp(1, 1).substr(0, 25), Png(1, 1).substr(0, 23), kGif.substr(0, 9),
                                  Jpeg(1, 1).substr(0, 100), std::string("\xFF\xD8\xFF\xDA\0\2", 6)})
    EXPECT_FALSE(PictureHeaderSize(head)) << head.size() << " bytes";
}

TEST(PictureSize, LargePicturesAreDecodedSmallerAndHugeOnesRefused) {
  const struct { int64_t width, height; std::optional<DecodeSize> decoded; } cases[] = {
      {4096, 4096, DecodeSize{4096, 4096}}, {4097, 4096, DecodeSize{4096, 4095}}, {12000, 8000, DecodeSize{5016, 3344}},
      {100000, 500, DecodeSize{57926, 289}}, {268435456, 1, DecodeSize{16777216, 1}}, {0, 100, std::nullopt},
      {16385, 16384, std::nullopt},         {4294967295, 4294967295, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodedPictureSize(c.width, c.height), c.decoded) << c.width << "x" << c.height;
}

TEST(DecodeEighths, HugePicturesKeepEveryColumnAndRowTheStripTakes) {
  const RenderOptions plain{.radius = 100}, wide{.radius = 1000}, stretch{.radius = 1000, .stretch = 1},
      trim{.radius = 1500, .trim = 1};
  const struct { int64_t width, height; RenderOptions options; int eighths; } cases[] = {
      {4096, 4096, plain, 8}, {16384, 12288, plain, 1}, {16384, 12288, wide, 2}, {16384, 12288, stretch, 2},
      {16384, 12288, trim, 3}, {12288, 16384, trim, 4}, {100000, 170, plain, 8}, {5000, 3999, wide, 4}};
  for (const auto& c : cases)
    EXPECT_EQ(DecodeEighths(c.width, c.height, c.options), c.eighths) << c.width << "x" << c.height;
}

std::string Quoted(const std::filesystem::path& p) { return std::string(1, '\'').append(p.string()) + "' "; }
const std::filesystem::path kTool =
    std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "tools" / "gyrafoto-render";

TEST(RenderTool, RendersWhatDecodesAndRefusesTheRestWithoutAFrameFolder) {
  namespace fs = std::filesystem;
  ASSERT_TRUE(fs::exists(kTool)) << kTool << " is missing: build the gyrafoto-render target";
  const fs::path dir = fs::temp_directory_path() / ("gyrafoto-render-test-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "folder.bmp");
  const std::string undecodable = "not a picture that can be decoded (BMP, GIF, JPEG, PNG, WebP, HEIC/HEIF, AVIF)", png = Written('P', 8, 4),
                    jpeg = Written('J', 8, 4), empty_idat("\0\0\0\0IDAT\x35\xAF\x06\x1E", 12);
  std::string undefined_tables = jpeg;
  undefined_tables[jpeg.find("\xFF\xDA") + 6] = '\x33';  // the scan's first component uses tables 3
  const struct { const char* name; std::string bytes, why; } cases[] = {
      {"one.bmp", Written('B', 1, 1), ""},  {"one.png", Written('P', 1, 1), ""}, {"one.jpg", Written('J', 1, 1), ""},
      {"one.gif", kGif, ""},  {"cut.gif", kGif.substr(0, 32), ""},  // a GIF's pixels end nowhere known
      {"empty-first-data.png", png.substr(0, png.find("IDAT") - 4) + empty_idat + png.substr(png.find("IDAT") - 4), ""},
      {"empty.bmp", "", undecodable}, {"zero.bmp", Bmp(0, 4), undecodable}, {"half.png", png.substr(0, 60), undecodable},
      {"head.gif", kGif.substr(0, 13), undecodable}, {"half.jpg", jpeg.substr(0, jpeg.size() / 2), undecodable},
      {"text.jpg", "\xFF\xD8\xFF\xE0 no picture" + png, undecodable}, {"missing.bmp", "", "cannot read"},
      {"huffman.jpg", jpeg.substr(0, 2) + std::string("\xFF\xC4\0\x13\0", 5) + std::string(16, '\xFF') + jpeg.substr(2),
       undecodable},  // 16 x 255 codes where 256 fit
      {"undefined-tables.jpg", undefined_tables, undecodable}, {"folder.bmp", "", "cannot read"},
      {"huge.bmp", Bmp(40000, 40000), "40000 x 40000 pixels: too large a picture (at most 536870911 pixels)"},
  };
  for (const auto& c : cases) {
    if (c.why != "cannot read") std::ofstream(dir / c.name, std::ios::binary) << c.bytes;
    fs::remove_all(dir / "frames");
    const std::string command = Quoted(kTool) + Quoted(dir / c.name) + Quoted(dir / "frames") +
                                "--frames 4 --radius 8 >/dev/null 2>" + Quoted(dir / "errors");
    const int status = std::system(command.c_str());
    const std::string errors = Contents(dir / "errors");
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, c.why.empty() ? 0 : 1) << c.name << ": " << errors;
    EXPECT_NE(errors.find(c.why), std::string::npos) << c.name << ": " << errors;
    EXPECT_EQ(fs::exists(dir / "frames") ? std::distance(fs::directory_iterator(dir / "frames"), {}) : -1,
              c.why.empty() ? 4 : -1) << c.name;
  }
  fs::remove_all(dir);
}

std::string Le(uint32_t value, int size) { return Put(std::string(size, '\0'), 0, size, false, {value}); }

// A file with a 40-byte header; `table` is the colour table or the masks.
std::string Bmp(int32_t width, int32_t height, int bits, uint32_t compression, const std::string& table,
                const std::string& rows) {
  const std::string info = Le(40, 4) + Le(width, 4) + Le(height, 4) + Le(1, 2) + Le(bits, 2) + Le(compression, 4) +
                           Le(rows.size(), 4) + Le(0, 4) + Le(0, 4) + Le(bits <= 8 ? table.size() / 4 : 0, 4) + Le(0, 4);
  const uint32_t offset = 14 + 40 + table.size();
  return "BM" + Le(offset + rows.size(), 4) + Le(0, 4) + Le(offset, 4) + info + table + rows;
}

std::vector<Pixel> TopDown(const Surface& surface) {
  std::vector<Pixel> pixels;
  for (int s = surface.height() - 1; s >= 0; --s)
    for (int x = 0; x < surface.width(); ++x) pixels.push_back(surface.View().At(x, s));
  return pixels;
}

const Pixel kRed{0, 0, 255, 0}, kBlue{255, 0, 0, 0}, kWhite{255, 255, 255, 0}, kBlack{};
const std::string kPalette = Le(0x0000FF, 4) + Le(0xFF0000, 4);  // blue, red

TEST(ReadBmp, EveryDepthAndRowOrder) {
  const struct { const char* what; std::string file; std::vector<Pixel> pixels; } cases[] = {  // top-left first
      {"1 bit", Bmp(2, 2, 1, 0, kPalette, Le(0x40, 4) + Le(0x80, 4)), {kRed, kBlue, kBlue, kRed}},
      {"4 bits", Bmp(2, 2, 4, 0, kPalette, Le(0x01, 4) + Le(0x10, 4)), {kRed, kBlue, kBlue, kRed}},
      {"8 bits, index past the table", Bmp(2, 1, 8, 0, kPalette, Le(0x0901, 4)), {kRed, kBlack}},
      {"16 bits 5-5-5", Bmp(2, 1, 16, 0, "", Le(0x7FFF, 2) + Le(0x0001, 2)), {kWhite, {8, 0, 0, 0}}},
      {"16 bits 5-6-5", Bmp(2, 1, 16, 3, Le(0xF800, 4) + Le(0x07E0, 4) + Le(0x001F, 4), Le(0xF800, 2) + Le(0x0020, 2)),
       {kRed, {0, 4, 0, 0}}},
      {"24 bits top-down", Bmp(1, -2, 24, 0, "", Le(0xFF0000, 4) + Le(0x0000FF, 4)), {kRed, kBlue}},
      {"32 bits, fourth byte set", Bmp(2, 1, 32, 0, "", Le(0x80FF0000, 4) + Le(0x010000FF, 4)), {kRed, kBlue}},
      {"32 bits top-down", Bmp(1, -2, 32, 0, "", Le(0xFFFF0000, 4) + Le(0x7F0000FF, 4)), {kRed, kBlue}},
      // a run, 3 pixels as they are (the last past the row's end), end of line, a step right, end of bitmap
      {"8-bit runs", Bmp(4, 2, 8, 1, kPalette, std::string("\2\1\0\3\0\1\0\0\0\0\0\2\1\0\1\1\0\1", 18)),
       {kBlack, kRed, kBlack, kBlack, kRed, kRed, kBlue, kRed}},
      {"4-bit runs", Bmp(4, 2, 4, 2, kPalette, std::string("\3\x10\0\0\0\2\1\0\0\3\1\x10\0\1", 14)),
       {kBlack, kBlue, kRed, kRed, kRed, kBlue, kRed, kBlack}},
  };
  for (const auto& c : cases) {
    const std::optional<Surface> picture = ReadBmp(c.file);
    ASSERT_TRUE(picture) << c.what;
    EXPECT_EQ(TopDown(*picture), c.pixels) << c.what;
  }
}

TEST(ReadBmp, RefusesFilesThatLie) {
  const std::string good = Bmp(2, 2, 24, 0, "", std::string(16, '\x7F'));
  const std::string huge = Put(good, 18, 4, false, {40000, 40000});  // 6 GB of rows promised in a 70-byte file
  ASSERT_TRUE(ReadBmp(good));
  const std::string no_colours = Bmp(2, 2, 8, 0, "", std::string(8, '\0'));  // 256 colours promised
  for (const std::string& file : {good.substr(0, good.size() - 1), good.substr(0, 30), huge, no_colours,
                                  Bmp(2, 2, 8, 1, kPalette, "\2\1"),  // runs that stop before their end
                                  Bmp(2, -2, 8, 1, kPalette, std::string("\0\1", 2)),  // top-down runs
                                  Bmp(0, 2, 24, 0, "", ""), std::string("BM")})
    EXPECT_FALSE(ReadBmp(file)) << file.size() << " bytes";
}

TEST(Orient, EveryValueTurnsThePictureUpright) {
  Surface stored = *Surface::Create(3, 2);  // rows a b c / d e f from the top
  for (int i = 0; i < 6; ++i) stored.View().At(i % 3, 1 - i / 3) = {uint8_t('a' + i), 0, 0, 0};
  const struct { int orientation; int width; std::string upright; } cases[] = {
      {0, 3, "abcdef"}, {1, 3, "abcdef"}, {2, 3, "cbafed"}, {3, 3, "fedcba"}, {4, 3, "defabc"},
      {5, 2, "adbecf"}, {6, 2, "daebfc"}, {7, 2, "fcebda"}, {8, 2, "cfbead"}, {9, 3, "abcdef"}};
  for (const auto& c : cases) {
    const Surface upright = Orient(Surface(stored), c.orientation);
    std::string seen;
    for (const Pixel& p : TopDown(upright)) seen += char(p.blue);
    EXPECT_EQ(upright.width(), c.width) << c.orientation;
    EXPECT_EQ(seen, c.upright) << c.orientation;
  }
}

// An Exif block whose first directory holds `entry` (tag, type, count, value), little-endian.
std::string Exif(uint32_t type, uint32_t count, uint32_t value, uint32_t directory = 8) {
  return "II*" + Le(0, 1) + Le(directory, 4) + Le(2, 2) + Le(271, 2) + Le(2, 2) + Le(1, 4) + Le(0, 4) + Le(274, 2) +
         Le(type, 2) + Le(count, 4) + Le(value, 4) + Le(0, 4);
}
std::string Be(uint32_t value, int size) { return Put(std::string(size, '\0'), 0, size, true, {value}); }
std::string App1(const std::string& exif) {
  return "\xFF\xE1" + Be(exif.size() + 8, 2) + std::string("Exif\0\0", 6) + exif;
}

TEST(ReadOrientation, FindsTheTagInEachContainerAndNothingInDamage) {
  const std::string six = Exif(3, 1, 6), jpeg = Written('J', 8, 4), png = Written('P', 8, 4);
  const std::string app1 = App1(six);
  const auto webp = [](const std::string& exif) {
    const std::string chunks = "VP8X" + Le(10, 4) + std::string(10, '\0') + "EXIF" + Le(exif.size(), 4) + exif;
    return "RIFF" + Le(chunks.size() + 4, 4) + "WEBP" + chunks;
  };
  const struct { const char* what; std::string file; std::optional<int> orientation; } cases[] = {
      {"JPEG", jpeg.substr(0, 2) + app1 + jpeg.substr(2), 6}, {"JPEG without", jpeg, std::nullopt},
      {"PNG", png.substr(0, 33) + Be(six.size(), 4) + "eXIf" + six + Le(0, 4) + png.substr(33), 6},
      {"WebP, odd chunk", webp(Exif(3, 1, 8) + "!"), 8}, {"WebP, Exif mark", webp("Exif" + Le(0, 2) + six), 6},
      {"TIFF", six, 6}, {"TIFF big-endian", "MM" + Be(42, 2) + Be(8, 4) + Be(1, 2) + Be(274, 2) + Be(3, 2) +
                                                    Be(1, 4) + Be(3 << 16, 4), 3},
      {"not a short", Exif(4, 1, 6), std::nullopt}, {"two values", Exif(3, 2, 6), std::nullopt},
      {"directory past the end", Exif(3, 1, 6, 4000), std::nullopt},
      {"directory cut short", six.substr(0, 30), std::nullopt}, {"value 9", Exif(3, 1, 9), std::nullopt},
      {"JPEG, Exif cut short", jpeg.substr(0, 2) + app1.substr(0, 30), std::nullopt},
      {"JPEG, segment longer than the file", jpeg.substr(0, 2) + "\xFF\xE1\xFF\xFF" + "Exif", std::nullopt},
      {"WebP cut short", webp(six).substr(0, 40), std::nullopt}, {"RIFF alone", "RIFF", std::nullopt},
      {"empty", "", std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(ReadOrientation(c.file), c.orientation) << c.what;
}

// The frames the tool renders of a picture, or none when it refuses it.
std::vector<Surface> ToolFrames(const std::filesystem::path& picture) {
  const std::filesystem::path folder = picture.string() + "-frames";
  std::vector<Surface> frames;
  if (std::system((Quoted(kTool) + Quoted(picture) + Quoted(folder) + "--frames 4 --radius 16 >/dev/null").c_str()))
    return frames;
  for (int k = 1; std::filesystem::exists(folder / FrameFileName(k)); ++k)
    frames.push_back(*ReadBmp(Contents(folder / FrameFileName(k))));
  return frames;
}

// The mean difference of two runs' frames in each colour byte; 255 when their frames differ in number or size.
double MeanDifference(const std::vector<Surface>& a, const std::vector<Surface>& b) {
  if (a.empty() || a.size() != b.size() || a[0].width() != b[0].width()) return 255;
  double sum = 0, count = 0;
  for (size_t k = 0; k < a.size(); ++k)
    for (int i = 0; i < a[k].width() * a[k].height(); ++i, count += 3) {
      const Pixel p = a[k].View().pixels[i], q = b[k].View().pixels[i];
      sum += std::abs(p.blue - q.blue) + std::abs(p.green - q.green) + std::abs(p.red - q.red);
    }
  return sum / count;
}

TEST(RenderTool, PhotosGiveTheFramesOfTheirUprightPicture) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("gyrafoto-photos-test-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  Surface upright = *Surface::Create(96, 64);  // red grows to the right, green to the top
  for (int i = 0; i < 96 * 64; ++i) upright.View().pixels[i] = {128, uint8_t(i / 96 * 4), uint8_t(i % 96 * 2), 0};
  std::ofstream(dir / "upright.bmp", std::ios::binary) << EncodeBmp(upright.View());
  for (const char* make : {"convert upright.bmp upright.png", "cwebp -quiet -q 90 upright.png -o photo.webp",
                           "heif-enc -q 90 -o photo.heic upright.png", "convert upright.bmp -rotate 90 turned.png",
                           "avifenc -s 10 --irot 1 turned.png photo.avif",  // stored turned, shown upright
                           "convert upright.bmp -rotate -90 -quality 95 turned.jpg",
                           "convert upright.bmp -scale 6400% huge.png", "convert huge.png -quality 95 huge.jpg"})
    ASSERT_EQ(std::system(("cd " + Quoted(dir) + "&& " + make + " >/dev/null").c_str()), 0) << make;
  const std::string turned = Contents(dir / "turned.jpg");
  std::ofstream(dir / "tagged.jpg", std::ios::binary) << turned.substr(0, 2) + App1(Exif(3, 1, 6)) + turned.substr(2);
  const std::vector<Surface> expected = ToolFrames(dir / "upright.png");
  for (const char* name : {"photo.webp", "photo.heic", "photo.avif", "tagged.jpg", "huge.png", "huge.jpg"})
    EXPECT_LT(MeanDifference(ToolFrames(dir / name), expected), 3) << name;
  fs::remove_all(dir);
}

TEST(ReducedDecodeSize, TheLargestReductionThatStillHoldsTheSizeNeeded) {
  const struct { DecodeSize picture, needed, reduced; } cases[] = {
      {{16384, 12288}, {4729, 3547}, {8192, 6144}}, {{16000, 12000}, {2000, 1500}, {2000, 1500}},
      {{16001, 12000}, {2000, 1500}, {2001, 1500}}, {{16000, 12000}, {2001, 1500}, {4000, 3000}},
      {{40000, 30000}, {100, 75}, {5000, 3750}},  {{5000, 4000}, {4999, 1}, {5000, 4000}},
  };
  for (const auto& c : cases) EXPECT_EQ(ReducedDecodeSize(c.picture, c.needed), c.reduced) << c.picture.width;
}

TEST(OptionalFormatName, NamesTheFormatsWhoseCodecWindowsMayLack) {
  const std::string ftyp("\0\0\0\x18" "ftyp", 8), riff("RIFF\x10\0\0\0", 8);
  const struct { std::string head; std::string_view name; } cases[] = {
      {riff + "WEBPVP8 ", "WebP"}, {ftyp + "heic", "HEIC"}, {ftyp + "avif", "AVIF"}, {ftyp + "mif1", "HEIF"},
      {"II\xBC\x01", "JPEG XR"},   {ftyp + "isom", ""},  {riff + "WAVEfmt ", ""}, {"RIFF", ""},
      {Written('J', 1, 1), ""},     {std::string("II*\0", 4), ""},
  };
  for (const auto& c : cases) EXPECT_EQ(OptionalFormatName(c.head), c.name) << c.head;
}

}  // namespace
}  // namespace gyra
