// Files written by the services (table exports, vector pictures) replace an earlier file only
// when complete, and their errors give the reason.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/child_process.h"
#include "platform/errors.h"
#include "services/datatable.h"
#include "services/picture_output.h"

namespace kiv {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A picture of many small squares.
class Squares : public TPictureOutputs {
 protected:
  TSize PictureSize() const override { return TSize{120, 80}; }
  void DrawPicture(TCanvas& c, bool, bool) override {
    for (int y = 0; y < 80; y += 8)
      for (int x = 0; x < 120; x += 8) c.Rectangle(x, y, x + 6, y + 6);
  }
};

TDataTable LargeTable() {
  TDataTable t(4, 200);
  for (int r = 1; r <= 200; ++r)
    for (int c = 1; c <= 4; ++c) t.SetElem(c, r, r * 1.25 + c);
  return t;
}

TEST(FileOutput, AFailedWriteKeepsTheEarlierFile) {
  const struct {
    const char* file;
    std::function<void(const std::string&)> write;
    std::string error;  // after the path
  } cases[] = {
      {"table.txt", [](const std::string& p) { LargeTable().ExportAsASC(p, 3); },
       "Cannot write the data table to file \"{}\": File too large"},
      {"squares.svg", [](const std::string& p) { Squares().CopyToWMF(p, false); },
       "cannot write {}: File too large"},
  };
  const fs::path dir = fs::path(KIV_TEST_OUT_DIR) / "file_output";
  for (const auto& k : cases) {
    SCOPED_TRACE(k.file);
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string path = (dir / k.file).string();
    std::ofstream(path) << "earlier";
    const testing::ChildResult r = testing::RunWithFileSizeLimit(300, [&] { k.write(path); });
    std::string expected = k.error;
    expected.replace(expected.find("{}"), 2, path);
    EXPECT_TRUE(r.exited);
    EXPECT_EQ(r.error, expected);
    EXPECT_EQ(ReadText(path), "earlier");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    k.write(path);
    EXPECT_GT(fs::file_size(path), 300u);
  }
}

TEST(FileOutput, VectorPictureErrorsGiveTheReason) {
  try {
    Squares().CopyToWMF("/nonexistent-dir/squares.svg", false);
    ADD_FAILURE() << "no error";
  } catch (const EPlatformError& e) {
    EXPECT_EQ(std::string(e.what()),
              "cannot write /nonexistent-dir/squares.svg: No such file or directory");
  }
}

}  // namespace
}  // namespace kiv
