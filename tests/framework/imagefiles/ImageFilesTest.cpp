// The one PNG/JPEG writer: the files' headers describe the pixels handed over, bad sizes and paths
// are refused without leaving a file, and a failed write keeps the file that was there.
#include "framework/imagefiles/ImageFiles.h"
#include "framework/buffers/WholeFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

using namespace plugin;
using testsupport::TempFolder;

namespace {

std::vector<unsigned char> Pixels(int width, int height, int channels)
{
  std::vector<unsigned char> p(static_cast<size_t>(width) * height * channels);
  for (size_t i = 0; i < p.size(); ++i)
    p[i] = static_cast<unsigned char>(i * 37);
  return p;
}

uint32_t BigEndian32(const uint8_t* p)
{
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

// Width, height, bit depth and colour type of a PNG's header chunk; all -1 when it has none.
std::vector<int64_t> PngHeader(const IByteChunk& png)
{
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  const uint8_t* p = png.GetData();
  if (png.Size() < 33 || !std::equal(kSignature, kSignature + 8, p) || std::string(p + 12, p + 16) != "IHDR")
    return {-1, -1, -1, -1};
  return {BigEndian32(p + 16), BigEndian32(p + 20), p[24], p[25]};
}

// Height, width and component count of a baseline JPEG's frame header; all -1 when it has none.
std::vector<int64_t> JpegFrame(const IByteChunk& jpeg)
{
  const uint8_t* p = jpeg.GetData();
  const int n = jpeg.Size();
  if (n < 4 || p[0] != 0xFF || p[1] != 0xD8) return {-1, -1, -1};
  for (int i = 2; i + 9 < n;) {
    if (p[i] != 0xFF) break;
    const int marker = p[i + 1], length = (p[i + 2] << 8) | p[i + 3];
    if (marker == 0xC0) return {(p[i + 5] << 8) | p[i + 6], (p[i + 7] << 8) | p[i + 8], p[i + 9]};
    i += 2 + length;
  }
  return {-1, -1, -1};
}

IByteChunk FileBytes(const std::string& path)
{
  IByteChunk bytes;
  ReadWholeFile(path.c_str(), bytes);
  return bytes;
}

} // namespace

TEST(ImageFiles, EncodedHeadersDescribeThePixels)
{
  const auto rgba = Pixels(5, 3, 4), rgb = Pixels(5, 3, 3);
  IByteChunk png, jpeg;
  ASSERT_TRUE(images::EncodePng(5, 3, rgba.data(), png));
  EXPECT_EQ(PngHeader(png), (std::vector<int64_t>{5, 3, 8, 6})); // 8 bits, RGBA
  ASSERT_TRUE(images::EncodeJpeg(5, 3, rgb.data(), 95, jpeg));
  EXPECT_EQ(JpegFrame(jpeg), (std::vector<int64_t>{3, 5, 3}));
  EXPECT_EQ(jpeg.GetData()[jpeg.Size() - 2], 0xFF); // ends with the end-of-image marker
  EXPECT_EQ(jpeg.GetData()[jpeg.Size() - 1], 0xD9);
}

TEST(ImageFiles, FilesHoldExactlyTheEncodedBytesAndReplaceWhatWasThere)
{
  TempFolder folder;
  const auto rgba = Pixels(4, 4, 4), rgb = Pixels(4, 4, 3);
  IByteChunk png, jpeg;
  ASSERT_TRUE(images::EncodePng(4, 4, rgba.data(), png));
  ASSERT_TRUE(images::EncodeJpeg(4, 4, rgb.data(), 80, jpeg));
  const std::string pngPath = folder / "a.png", jpegPath = folder / "a.jpg";
  ASSERT_TRUE(WriteWholeFile(pngPath.c_str(), jpeg)); // an older file under the name
  ASSERT_TRUE(images::WritePngFile(pngPath.c_str(), 4, 4, rgba.data()));
  ASSERT_TRUE(images::WriteJpegFile(jpegPath.c_str(), 4, 4, rgb.data(), 80));
  EXPECT_TRUE(FileBytes(pngPath).IsEqual(png));
  EXPECT_TRUE(FileBytes(jpegPath).IsEqual(jpeg));
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"a.jpg", "a.png"}));
}

TEST(ImageFiles, RefusedSizesAndPixelsEncodeNothing)
{
  const auto pixels = Pixels(2, 2, 4);
  struct Case
  {
    int width, height;
    const unsigned char* pixels;
  };
  const Case cases[] = {{0, 2, pixels.data()},
                        {2, -1, pixels.data()},
                        {2, 2, nullptr},
                        {images::kMaxImageSide + 1, 1, pixels.data()},
                        {1, images::kMaxImageSide + 1, pixels.data()},
                        {images::kMaxImageSide, images::kMaxImageSide, pixels.data()}, // past INT_MAX bytes
                        {INT_MIN, INT_MIN, pixels.data()}};
  for (const Case& c : cases) {
    IByteChunk out;
    out.PutBytes("old", 3);
    EXPECT_FALSE(images::EncodePng(c.width, c.height, c.pixels, out)) << c.width << " x " << c.height;
    EXPECT_EQ(out.Size(), 0);
    out.PutBytes("old", 3);
    EXPECT_FALSE(images::EncodeJpeg(c.width, c.height, c.pixels, 90, out)) << c.width << " x " << c.height;
    EXPECT_EQ(out.Size(), 0);
  }
}

TEST(ImageFiles, FailedWritesReportFailureAndLeaveNothingNew)
{
  TempFolder folder;
  const auto rgba = Pixels(2, 2, 4);
  EXPECT_FALSE(images::WritePngFile(nullptr, 2, 2, rgba.data()));
  EXPECT_FALSE(images::WritePngFile("", 2, 2, rgba.data()));
  EXPECT_FALSE(images::WritePngFile((folder / "missing/a.png").c_str(), 2, 2, rgba.data()));
  EXPECT_FALSE(images::WriteJpegFile((folder / "missing/a.jpg").c_str(), 2, 2, rgba.data(), 90));
  EXPECT_FALSE(images::WritePngFile((folder / "empty.png").c_str(), 0, 2, rgba.data()));
  // A folder in the way: the name cannot become a file, and the folder stays.
  std::filesystem::create_directory(folder / "taken.png");
  EXPECT_FALSE(images::WritePngFile((folder / "taken.png").c_str(), 2, 2, rgba.data()));
  EXPECT_TRUE(std::filesystem::is_directory(folder / "taken.png"));
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"taken.png"}));
}
