// Every file the platform layer writes (BMP, PNG, SVG, PDF) is written beside the target and
// renamed over it only when complete: a failed write leaves the earlier file and no trace, and
// symbolic links keep pointing at the file they name.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "child_process.h"
#include "platform/atomicfile.h"
#include "platform/bitmap.h"
#include "platform/errors.h"
#include "platform/imageio.h"
#include "platform/metafile.h"
#include "platform/print/pdf_writer.h"

namespace kiv {
namespace {

namespace fs = std::filesystem;

// A fresh, empty directory for one case.
std::string CaseDir(const std::string& name) {
  const fs::path dir = fs::path(KIV_TEST_OUT_DIR) / ("filewrite_" + name);
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir.string();
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::vector<std::string> Entries(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// A picture large enough that none of its files fits under the size limit of the tests.
TBitmap Picture() {
  TBitmap b(64, 48);
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) b.ScanLine(y)[x] = 0xFF000000u | (x * 4111u + y * 977u);
  return b;
}

TMetafile Drawing() {
  TMetafile mf(64, 48);
  TMetafileCanvas c(mf);
  for (int i = 0; i < 40; ++i) c.Rectangle(i, i / 2, 64 - i, 48 - i / 2);
  c.TextOut(2, 2, "a text in the picture");
  return mf;
}

struct Writer {
  const char* name;
  const char* file;
  std::function<void(const std::string&)> write;
};

const std::vector<Writer>& Writers() {
  static const std::vector<Writer> writers = {
      {"bmp", "pic.bmp", [](const std::string& p) { Picture().SaveToFile(p); }},
      {"png", "pic.png", [](const std::string& p) { Picture().SaveToFile(p); }},
      {"svg", "pic.svg", [](const std::string& p) { Drawing().SaveToFile(p); }},
      {"pdf", "doc.pdf", [](const std::string& p) { print::WritePdf(p, {Drawing()}, 96, "t"); }},
  };
  return writers;
}

TEST(FileWrite, AFailedWriteKeepsTheEarlierFileAndLeavesNothingElse) {
  for (const Writer& w : Writers()) {
    SCOPED_TRACE(w.name);
    const std::string dir = CaseDir(w.name);
    const std::string path = dir + "/" + w.file;
    const std::string earlier = "the earlier file, which must survive";
    WriteText(path, earlier);

    // The file size limit makes the writes fail as a full disk would.
    const testing::ChildResult r = testing::RunWithFileSizeLimit(200, [&] { w.write(path); });
    EXPECT_TRUE(r.exited);
    EXPECT_EQ(r.error, "cannot write " + path + ": File too large");
    EXPECT_EQ(ReadText(path), earlier);
    EXPECT_EQ(Entries(dir), std::vector<std::string>{w.file});

    // Without the limit the same write replaces the file.
    w.write(path);
    EXPECT_NE(ReadText(path), earlier);
    EXPECT_GT(fs::file_size(path), 200u);
    EXPECT_EQ(Entries(dir), std::vector<std::string>{w.file});
  }
}

TEST(FileWrite, SymbolicLinksKeepPointingAtTheFileTheyName) {
  const std::string dir = CaseDir("links");
  fs::create_directories(dir + "/data");
  WriteText(dir + "/data/real.svg", "old");
  // A relative link to the file and an absolute link to that link.
  fs::create_symlink("data/real.svg", dir + "/near.svg");
  fs::create_symlink(dir + "/near.svg", dir + "/far.svg");
  Drawing().SaveToFile(dir + "/far.svg");
  EXPECT_TRUE(fs::is_symlink(dir + "/far.svg"));
  EXPECT_TRUE(fs::is_symlink(dir + "/near.svg"));
  EXPECT_EQ(ReadText(dir + "/data/real.svg"), Drawing().ToSvg());
  EXPECT_EQ(Entries(dir + "/data"), std::vector<std::string>{"real.svg"});

  // A link to a file that does not exist yet makes that file.
  fs::create_symlink("data/new.png", dir + "/dangling.png");
  Picture().SaveToFile(dir + "/dangling.png");
  EXPECT_TRUE(fs::is_symlink(dir + "/dangling.png"));
  EXPECT_TRUE(fs::is_regular_file(dir + "/data/new.png"));

  // Links in a circle are refused.
  fs::create_symlink("loop2.bmp", dir + "/loop1.bmp");
  fs::create_symlink("loop1.bmp", dir + "/loop2.bmp");
  try {
    Picture().SaveToFile(dir + "/loop1.bmp");
    ADD_FAILURE() << "a circle of links was written through";
  } catch (const EPlatformError& e) {
    EXPECT_EQ(std::string(e.what()),
              "cannot write " + dir + "/loop1.bmp: Too many levels of symbolic links");
  }
}

TEST(FileWrite, APipeIsWrittenInPlace) {
  const std::string dir = CaseDir("pipe");
  const std::string path = dir + "/out.png";
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  // The reader is open first, so the writer's open does not wait; the picture fits the pipe.
  const int reader = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  Picture().SaveToFile(path);
  std::vector<std::uint8_t> bytes(1 << 16);
  const ssize_t n = ::read(reader, bytes.data(), bytes.size());
  ::close(reader);
  ASSERT_GT(n, 0);
  bytes.resize(static_cast<std::size_t>(n));
  const TBitmap pic = Picture();
  EXPECT_EQ(imageio::DecodeImage(bytes, "pipe").pixels,
            std::vector<TPixel>(pic.Bits(), pic.Bits() + pic.Width() * pic.Height()));
  EXPECT_TRUE(fs::is_fifo(path));
}

}  // namespace
}  // namespace kiv
