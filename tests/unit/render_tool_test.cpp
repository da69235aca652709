// The headless renderer run as a program on pictures that are damaged, empty,
// tiny, enormous or not files at all: it renders what decodes, and otherwise
// says why, exits 1 and leaves the frame folder uncreated.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "render/bmp.h"

namespace gyra {
namespace {

namespace fs = std::filesystem;

// The tool is built beside the tests: build/tools/ next to build/tests/.
fs::path ToolPath() {
  return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "tools" / "gyrafoto-render";
}

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// For the shell; the test's paths hold no quotes.
std::string Quoted(const fs::path& path) {
  std::string quoted = "'";
  quoted += path.string();
  return quoted += "'";
}

Surface Gradient(int width, int height) {
  Surface surface = *Surface::Create(width, height);
  for (int s = 0; s < height; ++s)
    for (int x = 0; x < width; ++x)
      surface.View().At(x, s) = {static_cast<uint8_t>(40 * x), static_cast<uint8_t>(60 * s), 200, 0};
  return surface;
}

std::string Bmp(int width, int height) { return EncodeBmp(Gradient(width, height).View()); }

// The gradient converted by ImageMagick into `format`.
std::string Converted(int width, int height, const std::string& format) {
  const fs::path stem = fs::temp_directory_path() / ("gyrafoto-render-test-" + std::to_string(::getpid()));
  const fs::path bmp = stem.string() + ".bmp", converted = stem.string() + "." + format;
  std::ofstream(bmp, std::ios::binary) << Bmp(width, height);
  EXPECT_EQ(std::system(("convert " + Quoted(bmp) + " " + Quoted(converted)).c_str()), 0);
  std::string bytes = Slurp(converted);
  fs::remove(bmp);
  fs::remove(converted);
  return bytes;
}

std::string Png(int width, int height) { return Converted(width, height, "png"); }
std::string Jpeg(int width, int height) { return Converted(width, height, "jpg"); }

// A 1 x 1 GIF: one white pixel.
const std::string kGif1x1(
    "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02"
    "D\x01\x00;",
    35);

void PutLe(std::string& bytes, size_t at, uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

void PutBe(std::string& bytes, size_t at, uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>(value >> (8 * (size - 1 - i)));
}

// A picture file whose header gives another size, the pixels left as they are.
std::string BmpSized(int width, int height) {
  std::string bytes = Bmp(8, 4);
  PutLe(bytes, 18, static_cast<uint32_t>(width), 4);
  PutLe(bytes, 22, static_cast<uint32_t>(height), 4);
  return bytes;
}

std::string PngSized(uint32_t width, uint32_t height) {
  std::string bytes = Png(8, 4);
  PutBe(bytes, 16, width, 4);  // IHDR; refused from it before the decoder checks the CRC
  PutBe(bytes, 20, height, 4);
  return bytes;
}

std::string GifSized(uint16_t width, uint16_t height) {
  std::string bytes = kGif1x1;
  PutLe(bytes, 6, width, 2);
  PutLe(bytes, 8, height, 2);
  return bytes;
}

std::string JpegSized(uint16_t width, uint16_t height) {
  std::string bytes = Jpeg(8, 4);
  const size_t frame = bytes.find("\xFF\xC0");
  PutBe(bytes, frame + 5, height, 2);
  PutBe(bytes, frame + 7, width, 2);
  return bytes;
}

// A Huffman table declaring 16 x 255 codes where 256 fit, right after the
// start of an otherwise good JPEG.
std::string JpegWithAnOversizedHuffmanTable() {
  std::string table = "\xFF\xC4\x00\x13";
  table += '\x00';
  table += std::string(16, '\xFF');
  const std::string good = Jpeg(8, 4);
  return good.substr(0, 2) + table + good.substr(2);
}

// A JPEG whose scan decodes its first component with Huffman tables 3, which
// the file never defines.
std::string JpegScanWithUndefinedTables() {
  std::string bytes = Jpeg(8, 4);
  const size_t scan = bytes.find("\xFF\xDA");
  bytes[scan + 6] = '\x33';  // after the marker, the length, the count and the component's id
  return bytes;
}

// A PNG whose first image-data chunk is empty, as the format allows.
std::string PngStartingWithEmptyData() {
  const std::string good = Png(8, 4);
  const size_t data = good.find("IDAT") - 4;
  return good.substr(0, data) + std::string("\0\0\0\0IDAT\x35\xAF\x06\x1E", 12) + good.substr(data);
}

class RenderToolTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(ToolPath())) << ToolPath() << " is missing: build the gyrafoto-render target";
    dir_ = fs::temp_directory_path() / ("gyrafoto-render-test-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path Write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
    return dir_ / name;
  }

  struct Result {
    int exit_code;
    std::string errors;
    int frames;  // frame files written
  };

  // Renders 4 frames of radius 8 into a fresh folder.
  Result Render(const fs::path& picture) {
    const fs::path out = dir_ / "frames";
    fs::remove_all(out);
    std::string command;
    for (const fs::path& argument : {ToolPath(), picture, out}) command += Quoted(argument) + " ";
    command += "--frames 4 --radius 8 >/dev/null 2>" + Quoted(dir_ / "errors");
    const int status = std::system(command.c_str());
    Result result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(dir_ / "errors"), -1};
    if (fs::exists(out)) result.frames = static_cast<int>(std::distance(fs::directory_iterator(out), {}));
    return result;
  }

  void ExpectRefused(const fs::path& picture, const std::string& why) {
    const std::string name = picture.filename().string();
    const Result result = Render(picture);
    EXPECT_EQ(result.exit_code, 1) << name << ": " << result.errors;
    EXPECT_NE(result.errors.find(why), std::string::npos) << name << ": " << result.errors;
    EXPECT_EQ(result.frames, -1) << name << ": the frame folder was made";
  }

  void ExpectRendered(const fs::path& picture) {
    const Result result = Render(picture);
    EXPECT_EQ(result.exit_code, 0) << picture.filename() << ": " << result.errors;
    EXPECT_EQ(result.frames, 4) << picture.filename();
  }

  fs::path dir_;
};

const char kUndecodable[] = "not a picture that can be decoded (BMP, GIF, JPEG, PNG)";

TEST_F(RenderToolTest, OnePixelPicturesOfEveryFormatRender) {
  ExpectRendered(Write("one.bmp", Bmp(1, 1)));
  ExpectRendered(Write("one.png", Png(1, 1)));
  ExpectRendered(Write("one.jpg", Jpeg(1, 1)));
  ExpectRendered(Write("one.gif", kGif1x1));
}

// Rendered, without the decoder handing memcpy a null pointer for the empty
// chunk (which the sanitizer build of this test reports).
TEST_F(RenderToolTest, APngWithAnEmptyFirstDataChunkRenders) {
  ExpectRendered(Write("empty-first-data.png", PngStartingWithEmptyData()));
}

TEST_F(RenderToolTest, EmptyAndZeroSizedPicturesAreRefused) {
  ExpectRefused(Write("empty.bmp", ""), kUndecodable);
  ExpectRefused(Write("zero-wide.bmp", BmpSized(0, 4)), kUndecodable);
  ExpectRefused(Write("zero-high.png", PngSized(8, 0)), kUndecodable);
  ExpectRefused(Write("zero.gif", GifSized(0, 0)), kUndecodable);
  ExpectRefused(Write("zero.jpg", JpegSized(0, 0)), kUndecodable);
}

TEST_F(RenderToolTest, HeadersOfAHugePictureAreRefusedBeforeDecoding) {
  const std::string why = "40000 x 40000 pixels: too large a picture (at most 536870911 pixels)";
  ExpectRefused(Write("huge.bmp", BmpSized(40000, 40000)), why);
  ExpectRefused(Write("huge.png", PngSized(40000, 40000)), why);
  ExpectRefused(Write("huge.jpg", JpegSized(40000, 40000)), why);
  ExpectRefused(Write("huge.gif", GifSized(40000, 40000)), why);
}

std::string Half(const std::string& bytes) { return bytes.substr(0, bytes.size() / 2); }

// Where a format tells where its pixels end, a file cut short is refused; a
// GIF's do not end at a known place, and what arrived is rendered over black.
TEST_F(RenderToolTest, PicturesCutShort) {
  ExpectRefused(Write("half.bmp", Half(Bmp(16, 8))), kUndecodable);
  ExpectRefused(Write("one-byte-short.bmp", Bmp(16, 8).substr(0, 54 + 48 * 8 - 1)), kUndecodable);
  ExpectRefused(Write("half.png", Half(Png(16, 8))), kUndecodable);
  ExpectRefused(Write("half.jpg", Half(Jpeg(16, 8))), kUndecodable);
  ExpectRendered(Write("cut-in-its-pixels.gif", kGif1x1.substr(0, 32)));
}

TEST_F(RenderToolTest, TruncatedAndCorruptPicturesAreRefused) {
  ExpectRefused(Write("header-only.bmp", Bmp(8, 4).substr(0, 20)), kUndecodable);
  ExpectRefused(Write("header-only.png", Png(8, 4).substr(0, 30)), kUndecodable);
  ExpectRefused(Write("header-only.jpg", Jpeg(8, 4).substr(0, 30)), kUndecodable);
  ExpectRefused(Write("header-only.gif", kGif1x1.substr(0, 13)), kUndecodable);
  ExpectRefused(Write("no-image-data.png", Png(8, 4).substr(0, 33)), kUndecodable);
  ExpectRefused(Write("not-a-picture.jpg", "\xFF\xD8\xFF\xE0 this is not a picture" + std::string(500, 'x')),
                kUndecodable);
  ExpectRefused(Write("oversized-huffman-table.jpg", JpegWithAnOversizedHuffmanTable()), kUndecodable);
}

// The decoder reads an undefined table as an empty one and finds the scan
// wrong, instead of indexing with whatever its memory held (which the
// sanitizer build of this test reports).
TEST_F(RenderToolTest, AJpegScanWithUndefinedTablesIsRefused) {
  ExpectRefused(Write("undefined-tables.jpg", JpegScanWithUndefinedTables()), kUndecodable);
}

TEST_F(RenderToolTest, WhatIsNotAReadableFileIsRefused) {
  fs::create_directory(dir_ / "folder.bmp");
  ExpectRefused(dir_ / "folder.bmp", "cannot read");
  ExpectRefused(dir_ / "missing.bmp", "cannot read");
}

}  // namespace
}  // namespace gyra
