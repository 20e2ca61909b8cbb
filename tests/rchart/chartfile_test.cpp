// Chart files: the byte layout, round trips of every kind through data and annotation files,
// refused and damaged files, long texts, the text listing, and copying annotations.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>

#include "platform/errors.h"
#include "probe_chart.h"

namespace kiv {
namespace {

namespace fs = std::filesystem;

std::string OutPath(const std::string& name) {
  fs::create_directories(KIV_TEST_OUT_DIR "/chartfile");
  return KIV_TEST_OUT_DIR "/chartfile/" + name;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

template <typename T>
T At(const std::string& bytes, std::size_t offset) {
  T v;
  std::memcpy(&v, bytes.data() + offset, sizeof v);
  return v;
}

const std::string kLong40 = "A text of forty characters, to be kept!!";

// One item of every kind that can be stored, with varied attributes, in the container AnnoMode
// chooses.
void AddEveryKind(TCustomRChart& c) {
  c.SetDataColor(clNavy);
  c.SetFillColor(clYellow);
  c.SetPenStyle(psDash);
  c.SetLineWidth(3);
  c.SetClassDefault(5);
  c.SetDataTag(-77);
  c.MoveTo(1.0, 2.0);
  c.DrawTo(3, 4.5);
  c.MoveToRelPix(5, -6);
  c.DrawToRelPix(7, 8);
  c.DrawToRelPix(1.0, 2.0, 30.0, -40.0);
  c.Line(0.5, 0.25, 9.0, 9.5);
  c.SetActiveLayer(2);
  c.Rectangle(1, 2, 30, 40);
  c.RectFrame(1.0, 1.0, 2.0, 2.0, rbEngraved, clGray, clWhite);
  c.SetTransparentItems(true);
  c.Arrow(0.0, 0.0, 5.0, 5.0, 9);
  c.DoubleArrow(0, 0, 5, 5, 0);
  c.LineOffset(1, 2, 3, 4, -5, 6);
  c.RectangleRelPix(7, 8, 9, 10);
  c.SetActiveLayer(1);
  c.MarkAt(1.0, 1.0, 17);
  c.MarkErrorBar(2, 3, 0.5, 0.75, orHorizontal, 4);
  c.Text(1.0, 2.0, 12, "short");
  c.Text(3.0, 4.0, 9, kLong40);
  c.Text(5.0, 6.0, 10, "offset text longer than fifteen", 3.0, -4.0, taRightJustify);
  c.Bar3D(1, 2, 3, 4, 6, 45);
  c.Ellipse(5, 5, 2, 1);
  c.Arc(0, 0, 3, 2, -1.0, 2.5);
  c.CursorVert(4.5);
  c.CursorHoriz(7);
}

std::vector<TrcChartItem> Items(const TCustomRChart& c, bool anno) {
  std::vector<TrcChartItem> v;
  const int n = anno ? c.NumAnnos() : c.NumItems();
  for (int i = 0; i < n; ++i) v.push_back(anno ? c.GetAnnoItem(i) : c.GetChartItem(i));
  return v;
}

bool SameRecords(const std::vector<TrcChartItem>& a, const std::vector<TrcChartItem>& b) {
  return a.size() == b.size() &&
         (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(TrcChartItem)) == 0);
}

TEST(ChartFile, AnEmptyChartIsAHeaderRecordAlone) {
  ProbeChart c;
  const std::string path = OutPath("empty.dat");
  c.SaveData(path);
  const std::string b = ReadBytes(path);
  ASSERT_EQ(b.size(), 104u);
  EXPECT_EQ(At<double>(b, 0), 0);
  EXPECT_EQ(At<std::int32_t>(b, 32), 0);
  EXPECT_EQ(At<std::int32_t>(b, 36), 16777215);
  EXPECT_EQ(At<std::int32_t>(b, 40), 8421504);
  EXPECT_EQ(At<std::int32_t>(b, 44), 16777215);
  EXPECT_EQ(At<std::int32_t>(b, 56), -2);
  EXPECT_EQ(At<std::int32_t>(b, 64), 1);
  EXPECT_EQ(b.substr(70, 13), "\x0c[DATAFORMAT]");
  EXPECT_EQ(At<std::int32_t>(b, 88), 0);
  EXPECT_EQ(At<std::int32_t>(b, 92), 0);
  for (std::size_t pad : {49, 50, 51, 62, 63, 86, 87, 101, 102, 103}) EXPECT_EQ(b[pad], 0) << pad;

  c.DrawTo(1.0, 1.0);
  c.SetLastElemOnShow(1);
  EXPECT_EQ(c.LoadData(path, false), 0);
  EXPECT_EQ(c.NumItems(), 0);
  EXPECT_EQ(c.LastElemOnShow(), 0);
  EXPECT_EQ(c.ItemCount(tkLineto), 0);
}

TEST(ChartFile, EveryKindRoundTripsByteForByteThroughBothFiles) {
  for (bool anno : {false, true}) {
    ProbeChart a, b;
    a.SetAnnoMode(anno);
    AddEveryKind(a);
    const std::string p1 = OutPath(anno ? "every1.ann" : "every1.dat");
    const std::string p2 = OutPath(anno ? "every2.ann" : "every2.dat");
    anno ? a.SaveAnno(p1) : a.SaveData(p1);
    const int n = anno ? b.LoadAnno(p1, false) : b.LoadData(p1, false);
    EXPECT_EQ(n, anno ? a.NumAnnos() : a.NumItems());
    anno ? b.SaveAnno(p2) : b.SaveData(p2);
    const std::string bytes = ReadBytes(p1);
    EXPECT_EQ(bytes, ReadBytes(p2));
    EXPECT_TRUE(SameRecords(Items(a, anno), Items(b, anno)));
    // Header, records in container order, then the two long texts as lines.
    EXPECT_EQ(bytes.size(), 104u * (n + 1) + kLong40.size() + 2 + 31 + 2);
    EXPECT_EQ(At<std::int32_t>(bytes, 92), 2);
    EXPECT_EQ(bytes.substr(bytes.size() - 33), "offset text longer than fifteen\r\n");
    if (!anno) {
      EXPECT_EQ(b.GetDataLongText(15), kLong40);
      for (int k = 0; k < kNumItemKinds; ++k)
        EXPECT_EQ(b.ItemCount(TrcItem(k)), a.ItemCount(TrcItem(k))) << k;  // recounted
    } else {
      EXPECT_EQ(b.GetAnnoLongText(15), kLong40);
      EXPECT_EQ(b.NumItems(), 0);  // annotations never touch the data
    }
  }
}

// Files of the other kind, unreadable and damaged files: each is refused as a whole, with the
// chart exactly as it was.
TEST(ChartFile, DamagedFilesAreRefusedBeforeTheyReachTheChart) {
  ProbeChart src;
  AddEveryKind(src);
  const std::string good_path = OutPath("good.dat");
  src.SaveData(good_path);
  const std::string good = ReadBytes(good_path);
  const std::size_t rec3 = 104 * 4;  // the fourth item record
  const auto patched = [&](std::size_t offset, const std::string& bytes) {
    std::string b = good;
    b.replace(offset, bytes.size(), bytes);
    return b;
  };
  const auto i32 = [](std::int32_t v) { return std::string(reinterpret_cast<char*>(&v), 4); };
  struct Case {
    const char* what;
    std::string bytes;
    int result;
  };
  const Case cases[] = {
      {"an annotation file", patched(71, "[ANNOFORMAT]"), -2},
      {"50 bytes", good.substr(0, 50), -1},
      {"n beyond the file", patched(88, i32(1000000000)), -1},
      {"n one too many", patched(88, i32(src.NumItems() + 1)), -1},
      {"records cut off", good.substr(0, 104 * 10 + 50), -1},
      {"negative n", patched(88, i32(-1)), -2},
      {"negative m", patched(92, i32(-5)), -2},
      {"header LWid not negative", patched(56, i32(0)), -2},
      {"marker misspelt", patched(71, "[DATAFORMAt]"), -2},
      {"marker length", patched(70, "\x0b"), -2},
      {"kind tkEverything", patched(rec3 + 61, "\x0a"), -2},
      {"kind tkNotMoveTo", patched(rec3 + 61, "\x0b"), -2},
      {"kind 200", patched(rec3 + 61, "\xc8"), -2},
      {"layer 0", patched(rec3 + 64, i32(0)), -2},
      {"layer 3", patched(rec3 + 64, i32(3)), -2},
      {"coordinate mode 6", patched(rec3 + 100, "\x06"), -2},
      {"last record bad", patched(104 * src.NumItems() + 61, "\x18"), -2},
  };
  for (bool append : {false, true}) {
    ProbeChart c;
    c.DrawTo(1.0, 2.0);
    c.Text(1.0, 1.0, 8, kLong40);
    c.SetAnnoMode(true);
    c.MarkAt(1, 1, 0);
    c.SetAnnoMode(false);
    c.repaints = 0;
    const auto items = Items(c, false);
    const int slots = c.DataSlots();
    for (const Case& k : cases) {
      const std::string path = OutPath("damaged.dat");
      WriteBytes(path, k.bytes);
      EXPECT_EQ(c.LoadData(path, append), k.result) << k.what;
      EXPECT_TRUE(SameRecords(items, Items(c, false))) << k.what;
      EXPECT_EQ(c.DataSlots(), slots) << k.what;
      EXPECT_EQ(c.ItemCount(tkLineto), 1) << k.what;
      EXPECT_EQ(c.ItemCount(tkText), 1) << k.what;
      EXPECT_EQ(c.NumLongTextsData(), 1) << k.what;
      EXPECT_EQ(c.GetDataLongText(1), kLong40) << k.what;
      EXPECT_EQ(c.NumAnnos(), 1) << k.what;
    }
    EXPECT_EQ(c.LoadData(OutPath("missing.dat"), append), -1);
    EXPECT_EQ(c.LoadData(KIV_TEST_OUT_DIR, append), -1);  // a directory
    EXPECT_EQ(c.LoadAnno(good_path, append), -2);         // a data file
    EXPECT_EQ(c.NumAnnos(), 1);
    EXPECT_EQ(c.repaints, 0);
    // The same chart still takes a sound file.
    EXPECT_EQ(c.LoadData(good_path, append), src.NumItems());
  }
}

TEST(ChartFile, PaddingAndMissingLongTextLinesAreCleanedUpOnLoading) {
  ProbeChart src;
  src.Text(1.0, 1.0, 8, kLong40);                  // long text 1
  src.Text(2.0, 2.0, 8, "second long text here");  // long text 2
  const std::string path = OutPath("lines.dat");
  src.SaveData(path);
  std::string b = ReadBytes(path);
  b[104 + 50] = '\x7f';  // padding of the first record
  b[104 + 87] = '\x01';
  b.resize(b.size() - 23);  // the second line is gone
  WriteBytes(path, b);
  ProbeChart c;
  EXPECT_EQ(c.LoadData(path, false), 2);
  EXPECT_EQ(c.NumLongTextsData(), 1);
  EXPECT_EQ(c.GetDataLongText(0), kLong40);
  EXPECT_EQ(c.GetChartItem(1).LWid, 0);  // no line for it: its first 15 characters remain
  EXPECT_EQ(c.GetDataLongText(1),
            "second long te"
            "x");
  c.SaveData(path);
  const std::string again = ReadBytes(path);
  EXPECT_EQ(again[104 + 50], 0);
  EXPECT_EQ(again[104 + 87], 0);
}

TEST(ChartFile, AppendedLongTextsContinueTheTableUpToItsEnd) {
  ProbeChart src;
  for (int i = 0; i < 30; ++i) src.Text(double(i), 0.0, 8, "long text number " + std::to_string(i));
  const std::string path = OutPath("texts.dat");
  src.SaveData(path);
  ProbeChart c;
  EXPECT_EQ(c.LoadData(path, true), 30);
  EXPECT_EQ(c.LoadData(path, true), 30);
  EXPECT_EQ(c.NumItems(), 60);
  EXPECT_EQ(c.NumLongTextsData(), 50);
  EXPECT_EQ(c.GetChartItem(31).LWid, 32);  // the second copy continues after the first
  EXPECT_EQ(c.GetDataLongText(49), "long text number 19");
  // Beyond 50 entries the items keep their first 15 characters, never another item's text.
  EXPECT_EQ(c.GetChartItem(50).LWid, 0);
  EXPECT_EQ(c.GetDataLongText(50), "long text numbe");
  EXPECT_EQ(c.ItemCount(tkText), 60);
}

// A long text that was replaced by a short one leaves its entry behind; the items after it must
// still find their own texts after saving and loading.
TEST(ChartFile, LongTextsAreFoundByTheirNumbersNotByTheOrderOfTheItems) {
  ProbeChart src;
  src.Text(1.0, 1.0, 8, "first text, long enough");
  src.Text(2.0, 2.0, 8, "second text, long enough");
  src.SetDataLongText(0, "short");  // entry 1 stays used, unreferenced
  src.RemoveItem(0);
  const std::string path = OutPath("stale.dat");
  src.SaveData(path);
  ProbeChart c;
  c.LoadData(path, false);
  EXPECT_EQ(c.GetDataLongText(0), "second text, long enough");
  const std::string again = OutPath("stale2.dat");
  c.SaveData(again);
  EXPECT_EQ(ReadBytes(path), ReadBytes(again));
}

TEST(ChartFile, LoadingIntoASharingChartReachesTheWholeGroup) {
  ProbeChart src, owner, user;
  AddEveryKind(src);
  src.SaveData(OutPath("group.dat"));
  user.SetUseDataOf(&owner);
  EXPECT_EQ(user.LoadData(OutPath("group.dat"), false), src.NumItems());
  EXPECT_TRUE(SameRecords(Items(src, false), Items(owner, false)));
  EXPECT_EQ(owner.ItemCount(tkText), 2);
  EXPECT_EQ(owner.ItemCount(tkTextOfs), 1);
  EXPECT_GT(user.repaints, 0);
}

TEST(ChartFile, SavingReplacesTheFileOnlyWhenItIsComplete) {
  ProbeChart c;
  AddEveryKind(c);
  const std::string path = OutPath("replace.dat");
  c.SaveData(path);
  ProbeChart small;
  small.MarkAt(1.0, 1.0, 0);
  small.SaveData(path);
  EXPECT_EQ(ReadBytes(path).size(), 208u);
  // A target that cannot be replaced (a directory) raises and leaves no temporary file.
  const std::string dir = OutPath("a_directory.dat");
  fs::create_directories(dir);
  EXPECT_THROW(c.SaveData(dir), EPlatformError);
  EXPECT_THROW(c.SaveAnno(OutPath("no/such/dir.ann")), EPlatformError);
  for (const auto& e : fs::directory_iterator(fs::path(dir).parent_path()))
    EXPECT_EQ(e.path().filename().string().find(".tmp-"), std::string::npos) << e.path();
  EXPECT_TRUE(fs::is_directory(dir));
}

TEST(ChartFile, TheTextListingDescribesEveryDataItem) {
  ProbeChart c;
  c.CursorHoriz(2.5);
  c.Line(0.0, 0.0, 1.0, 2.0);
  const std::string path = OutPath("listing.txt");
  c.SaveDataASC(path);
  const std::string text = ReadBytes(path);
  EXPECT_EQ(text.substr(0, text.find("\r\n------ item 1")),
            "\r\n------ item 0 ------\r\n"
            "  elemtype: tkCursorHoriz\r\n"
            " position: [   2.50000]\r\n"
            " endpoint: [   0.00000/   0.00000]\r\n"
            "      tag: 00000000\r\n"
            "    color: 00000000\r\n"
            " penstyle: 00\r\n"
            " classnum: 0\r\n");
  EXPECT_NE(text.find("\r\n------ item 1 ------\r\n  elemtype: tkLine\r\n"), std::string::npos);
  const std::string end = "linewidth: 1\r\n endpoint: [   1.00000/   2.00000]\r\n";
  EXPECT_EQ(text.substr(text.size() - end.size()), end);
  c.SaveDataASC(OutPath("no/such/dir.txt"));  // errors are swallowed
}

TEST(CopyAnnotations, FilterClassesAndLongTextsAndCopyingFromItself) {
  ProbeChart src, dst;
  src.SetAnnoMode(true);
  src.SetClassDefault(3);
  src.MarkAt(1, 1, 0);
  src.Text(1.0, 1.0, 8, kLong40);
  src.SetClassDefault(4);
  src.Text(2.0, 2.0, 8, "class four long text");
  src.SetClassDefault(3);
  src.Ellipse(1, 1, 1, 1);
  const auto before = Items(src, true);

  dst.SetAnnoMode(true);
  dst.Text(0.0, 0.0, 8, "kept while appending");
  dst.CopyAnnoFrom(src, {3}, true);
  EXPECT_TRUE(SameRecords(before, Items(src, true)));
  ASSERT_EQ(dst.NumAnnos(), 4);
  EXPECT_EQ(dst.GetAnnoItem(1).ItemKind, tkMarkAt);
  EXPECT_EQ(dst.GetAnnoItem(2).LWid, 2);  // renumbered into this chart's table
  EXPECT_EQ(dst.GetAnnoLongText(2), kLong40);
  EXPECT_EQ(dst.GetAnnoItem(3).ItemKind, tkEllipse);

  dst.CopyAnnoFrom(src, {}, false);
  EXPECT_EQ(dst.NumAnnos(), 4);
  EXPECT_EQ(dst.GetAnnoLongText(2), "class four long text");
  EXPECT_EQ(dst.NumLongTextsAnno(), 2);

  // Copying from itself: without appending only the filtered annotations stay.
  dst.CopyAnnoFrom(dst, {4}, false);
  ASSERT_EQ(dst.NumAnnos(), 1);
  EXPECT_EQ(dst.GetAnnoLongText(0), "class four long text");
  dst.CopyAnnoFrom(dst, {}, true);
  EXPECT_EQ(dst.NumAnnos(), 2);
  EXPECT_EQ(dst.GetAnnoLongText(1), "class four long text");
  EXPECT_EQ(dst.NumItems(), 0);
}

}  // namespace
}  // namespace kiv
