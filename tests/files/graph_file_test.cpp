// The graph file reader and writer: the 10-byte Extended, the bytes on disk, the
// verification on opening, every primitive, the message of every failure, and saves that
// never destroy the old file.
#include "files/graph_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "../told.h"
#include "file_fixtures.h"

namespace plotix {
namespace {

using namespace testbytes;

constexpr const char* kNotGraph = "E|OK|File is not a Plotix data file, and can not be opened.\n";
constexpr const char* kCorrupted = "E|OK|Error In File; File Data Is Corrupted\n";
constexpr const char* kLoadError = "E|OK|Error Loading File\n";
const TBytes kOldGraph = GraphFile(TBuilder().Raw("old graph").bytes);

TEST(ExtendedFileForm, KnownBytes) {
  const struct {
    Extended value;
    ExtendedBytes bytes;
  } known[] = {
      {1.0L, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}},
      {35.0L, {0, 0, 0, 0, 0, 0, 0, 0x8C, 0x04, 0x40}},
  };
  for (const auto& c : known) {
    EXPECT_EQ(EncodeExtended(c.value), c.bytes) << double(c.value);
    EXPECT_EQ(DecodeExtended(c.bytes), c.value);
  }
  EXPECT_TRUE(std::isnan(DecodeExtended(EncodeExtended(std::numeric_limits<Extended>::quiet_NaN()))));
}

class GraphFileTest : public ::testing::Test {
 protected:
  std::string Put(const TBytes& bytes, const std::string& name = "g.pxg") {
    WriteBytes(dir.Path(name), bytes);
    return dir.Path(name);
  }
  static bool Save(const std::string& path, const std::function<void(TWriteGraphFile&)>& fill, int kind = 1) {
    TWriteGraphFile w;
    if (!w.Open(path, kind)) return false;
    try {
      fill(w);
    } catch (const TGraphFileAbort&) {  // the save is abandoned
    }
    return w.Close();
  }
  static void WriteSome(TWriteGraphFile& w) {
    for (int i = 0; i < 30000; ++i) w.WriteInt32(i);  // more than one buffer
  }

  TScratchDir dir;
  TScopedScriptedMessages messages;
};

TEST_F(GraphFileTest, EveryPrimitiveHasItsBytesAndReadsBack) {
  using L = std::numeric_limits<Extended>;
  const Extended values[] = {-0.0L, 1.0L / 3, 1e4000L, L::denorm_min(), -L::infinity(), L::max()};
  const TFontDesc font{"Liberation Serif é", 0x123456, fsBold | fsStrikeOut, 14};
  ASSERT_TRUE(Save(
      dir.Path("p.pxg"),
      [&](TWriteGraphFile& w) {
        w.WriteByte(255);
        w.WriteBool(true);
        w.WriteInt16(-12345);
        w.WriteInt32(std::numeric_limits<std::int32_t>::min());
        w.WriteColor(0x80000005);  // a system colour
        for (const Extended v : values) w.WriteExtended(v);
        w.WritePoint({-3, 70000});
        w.WriteRect({1, -2, 3, -4});
        w.WriteLongString("");  // four zero bytes
        w.WriteLongString("x^2 · π");
        w.WriteFont2(font);
      },
      3));
  TBuilder b;
  b.Byte(255).Byte(1).I16(-12345).I32(std::numeric_limits<std::int32_t>::min()).I32(0x80000005);
  for (const Extended v : values) b.Ext(v);
  b.I32(-3).I32(70000).I32(1).I32(-2).I32(3).I32(-4).I32(0).LStr("x^2 · π");
  b.Font2(font.name, font.color, font.style, font.size);
  EXPECT_EQ(ReadBytes(dir.Path("p.pxg")), GraphFile(b.bytes, 2, 3, "2"));
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"p.pxg"});

  TReadGraphFile r;
  ASSERT_TRUE(r.Open(dir.Path("p.pxg")));
  EXPECT_EQ(std::tuple(r.FormatVersion(), r.GraphKind(), r.VersionText()), std::tuple(2, 3, std::string("2")));
  EXPECT_EQ((std::tuple{r.ReadByte(), r.ReadBool(), r.ReadInt16(), r.ReadInt32(), r.ReadColor()}),
            std::tuple(255, true, -12345, std::numeric_limits<std::int32_t>::min(), 0x80000005u));
  for (const Extended v : values) {
    const Extended got = r.ReadExtended();
    EXPECT_TRUE(got == v && std::signbit(got) == std::signbit(v)) << double(v);
  }
  const TFilePoint p = r.ReadPoint();
  const TFileRect rect = r.ReadRect();
  EXPECT_EQ(std::vector<int>({p.x, p.y, rect.left, rect.top, rect.right, rect.bottom}),
            std::vector<int>({-3, 70000, 1, -2, 3, -4}));
  EXPECT_EQ((std::tuple{r.ReadLongString(0), r.ReadLongString(100), r.ReadFont2()}), std::tuple("", "x^2 · π", font));
  EXPECT_EQ(r.Remaining(), 0);
  EXPECT_TRUE(r.Close());
  EXPECT_EQ(Told(messages), "");
}

TEST_F(GraphFileTest, FormatOneFieldsAndTextsThatAreNotUtf8) {
  TBuilder c;
  c.SStr("abc", 10).Font1("Arial", 0xFF, fsItalic, 12).Zeros(40).I16(-2).I32(-5).Byte(7);
  const std::pair<std::string, std::string> texts[] = {
      {"\xC3\xA9t\xC3\xA9", "\xC3\xA9t\xC3\xA9"},    // UTF-8 "été"
      {"\xE9t\xE9", "\xC3\xA9t\xC3\xA9"},            // Latin-1 "été"
      {"\xC0\xAF", "\xC3\x80\xC2\xAF"},              // an overlong form is not UTF-8
      {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xC2\x80"},  // nor is a surrogate
      {"\xE2\x82", "\xC3\xA2\xC2\x82"},              // nor a cut sequence
      {"\xF0\x9F\x93\x88", "\xF0\x9F\x93\x88"},      // four bytes
  };
  for (const auto& [stored, read] : texts) c.LStr(stored).SStr(stored, 8);
  TReadGraphFile r;
  ASSERT_TRUE(r.Open(Put(GraphFile(c.bytes, 1, 2, "1.0"))));
  EXPECT_EQ(std::tuple(r.FormatVersion(), r.GraphKind(), r.VersionText()), std::tuple(1, 2, std::string("1.0")));
  EXPECT_EQ((std::tuple{r.ReadShortString(10), r.ReadFont1()}),
            std::tuple("abc", TFontDesc{"Arial", 0xFF, fsItalic, 12}));
  r.Skip(40);
  EXPECT_EQ((std::tuple{r.ReadInt16(), r.ReadLongString(10), r.ReadByte()}),
            std::tuple(-2, "", 7));  // length -5: empty
  for (const auto& [stored, read] : texts)
    EXPECT_EQ((std::tuple{r.ReadLongString(100), r.ReadShortString(8)}), std::tuple(read, read));
  EXPECT_EQ(r.Remaining(), 0);
}

// Anything that claims more than the program allows is refused before it is read or
// allocated; so is what claims more than the file holds, or a record the file ends inside:
// no retry can bring the missing bytes.
TEST_F(GraphFileTest, LyingContentIsRefusedNotAllocated) {
  const char* ends = "E|OK|Error Reading From File\n";
  const struct {
    const char* what;
    TBytes content;
    void (*read)(TReadGraphFile&);
    const char* told = kLoadError;
  } rows[] = {
      {"text longer than the file", TBuilder().I32(0x7FFFFFFF).Raw("abc").bytes,
       [](TReadGraphFile& r) { r.ReadLongString(0x7FFFFFFF); }, ends},
      {"short text longer than its field", TBuilder().Byte(9).Raw("12345678").bytes,
       [](TReadGraphFile& r) { r.ReadShortString(8); }},

      {"font of size 0", TBuilder().Font2("Arial", 0, 0, 0).bytes, [](TReadGraphFile& r) { r.ReadFont2(); }},
      {"font name of 256 characters", TBuilder().Font2(std::string(256, 'f'), 0, 0, 8).bytes,
       [](TReadGraphFile& r) { r.ReadFont2(); }},
      {"count over the bytes left", TBuilder().Zeros(10).bytes, [](TReadGraphFile& r) { r.CheckCount(3, 10, 4); },
       ends},
      {"a number past the end", TBuilder().Byte(1).bytes, [](TReadGraphFile& r) { r.ReadInt16(); }, ends},
  };
  for (const auto& row : rows) {
    messages->shown.clear();
    TReadGraphFile r;
    ASSERT_TRUE(r.Open(Put(GraphFile(row.content))));
    EXPECT_THROW(row.read(r), TGraphFileAbort) << row.what;
    EXPECT_EQ(Told(messages), row.told) << row.what;
  }
  TReadGraphFile r;
  ASSERT_TRUE(r.Open(Put(GraphFile(TBuilder().Zeros(12).bytes))));
  EXPECT_EQ(r.CheckCount(3, 3, 4), 3);  // exactly what is left
}

TEST_F(GraphFileTest, OpeningRefusesWhatIsNotAGoodGraphFile) {
  const TBytes good = GraphFile(TBuilder().Byte(1).bytes);  // 66 bytes
  int n = 0;
  auto put = [&](TBytes b, std::size_t at = 0, int value = -1) {
    if (value >= 0) b[at] = std::uint8_t(value);
    return Put(b, std::to_string(++n) + ".pxg");
  };
  auto header = [](int version, const std::string& text) {
    return GraphFile(TBuilder().Zeros(4).bytes, version, 1, text);
  };
  TBytes longText = header(4, "0123456789");  // a version text of 11, both checksums agreeing
  longText[38] = 11;
  PutSum(longText, 61);
  FixChecksum(longText);
  const struct {
    const char* what;
    std::string path;
    std::string told;
  } rows[] = {
      {"signature length", put(good, 0, 36), kNotGraph},
      {"a folder", dir.Path(""), kNotGraph},
      {"header", put(good, 40, 'X'), kCorrupted},
      {"file checksum", put(good, 65, good[65] ^ 0x80), kCorrupted},
      {"version 4", put(header(4, "4")),
       "E|OK|File Created By Version Number 4, And Can Not Be Read By This Version\n"},
      {"version text too long", put(longText), kCorrupted},
      {"missing", dir.Path("missing.pxg"), "E|AR|Error Opening File\n"},
      {"no name at all", std::string("a\0b", 3), "E|OK|Error Opening File\n"},
  };
  for (const auto& row : rows) {
    messages->shown.clear();
    TReadGraphFile r;
    EXPECT_FALSE(r.Open(row.path)) << row.what;
    EXPECT_FALSE(r.IsOpen());
    EXPECT_EQ(Told(messages), row.told) << row.what;
  }
  TReadGraphFile r;
  ASSERT_TRUE(r.Open(put(good)));
  EXPECT_EQ(r.Remaining(), 1);
  ASSERT_TRUE(r.Open(put(header(1, "1"))));
  EXPECT_EQ(r.FormatVersion(), 1);
}

// Each row makes one file operation fail once and answers Retry or Abort: a load fails or
// goes on, and a save never leaves a half-written or temporary file.
TEST_F(GraphFileTest, EveryFileOperationFailureIsToldAndRetried) {
  const struct {
    const char* what;
    bool save;
    TIoOp op;
    int nth;
    bool retry;
    const char* told;
  } rows[] = {
      {"open", false, TIoOp::OpenRead, 1, true, "E|AR|Error Opening File\n"},
      {"size", false, TIoOp::Size, 1, false, "E|OK|Error Reading File Size\n"},
      {"verifying read", false, TIoOp::Read, 4, true, "E|AR|Error Reading From File\n"},
      {"seek to the content", false, TIoOp::Seek, 1, false, "E|OK|Error Reading From File\n"},
      {"close", false, TIoOp::Close, 1, true, "E|AR|Error Closing File\n"},
      {"create", true, TIoOp::OpenCreate, 1, true, "E|AR|Error Creating File\n"},
      {"first write", true, TIoOp::Write, 1, true, "E|AR|Error Writing To File\n"},
      {"second write", true, TIoOp::Write, 2, false, "E|AR|Error Writing To File\n"},
      {"rename", true, TIoOp::Rename, 1, true, "E|AR|Error Creating File\n"},
      {"existing file's size", true, TIoOp::Size, 1, false, "E|OK|Error Verifying Existing File Type\n"},
      {"existing file's signature", true, TIoOp::Read, 1, false, "E|OK|Error Verifying Existing File Type\n"},
  };
  ASSERT_TRUE(Save(dir.Path("expected.pxg"), WriteSome));
  const TBytes expected = ReadBytes(dir.Path("expected.pxg"));
  std::filesystem::remove(dir.Path("expected.pxg"));
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.save ? "save: " : "load: ") + row.what + (row.retry ? ", retried" : ", aborted"));
    messages->shown.clear();
    if (row.retry) messages->QueueAnswer(TMsgAnswer::Retry);
    const std::string path = Put(row.save ? kOldGraph : GraphFile(TBuilder().Zeros(3000).bytes));
    bool ok = false;
    {
      TScopedFaultyIO io(row.op, row.nth);
      TReadGraphFile r;
      ok = row.save ? Save(path, WriteSome) : r.Open(path) && r.Remaining() == 3000 && r.Close();
      EXPECT_FALSE(r.IsOpen());
    }
    EXPECT_EQ(ok, row.retry);
    EXPECT_EQ(Told(messages), row.told);
    if (row.save) {
      EXPECT_EQ(ReadBytes(path), row.retry ? expected : kOldGraph);
    }
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"g.pxg"});
  }
}

TEST_F(GraphFileTest, OverwritingAsksOnlyWhenTheExistingFileIsNoGraphFile) {
  const std::string ask = "W|OC|Existing File Is Not A Plotix Data File, Do You Want To Overwrite?\n";
  const TBytes text = TBuilder().Raw("Dear diary,\nnot a graph.\n").bytes;
  const struct {
    const char* what;
    std::string path;
    TMsgAnswer answer;
    bool saved;
    std::string told;
  } rows[] = {
      {"text file, cancelled", Put(text, "t1.pxg"), TMsgAnswer::Cancel, false, ask},
      {"65 bytes of a graph", Put(TBytes(kOldGraph.begin(), kOldGraph.begin() + 65), "t3.pxg"), TMsgAnswer::Cancel,
       false, ask},
      {"a link to a graph", dir.Path("link.pxg"), TMsgAnswer::Cancel, true, ""},
      {"a graph file", Put(kOldGraph, "t4.pxg"), TMsgAnswer::Cancel, true, ""},
      {"a name that can not be", std::string("a\0b", 3), TMsgAnswer::Cancel, false, "E|OK|Error Creating File\n"},
  };
  namespace fs = std::filesystem;
  const fs::perms perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read;
  fs::create_symlink(dir.Path("t4.pxg"), dir.Path("link.pxg"));
  fs::permissions(dir.Path("t4.pxg"), perms);
  for (const auto& row : rows) {
    messages->shown.clear();
    if (row.told == ask) messages->QueueAnswer(row.answer);
    const TBytes before = ReadBytes(row.path);
    EXPECT_EQ(Save(row.path, [](TWriteGraphFile& w) { w.WriteByte(9); }), row.saved) << row.what;
    EXPECT_EQ(Told(messages), row.told) << row.what;
    EXPECT_EQ(ReadBytes(row.path), row.saved ? GraphFile({9}) : before) << row.what;
  }
  // Through the link the file it points to was replaced, keeping its permissions.
  EXPECT_TRUE(fs::is_symlink(dir.Path("link.pxg")));
  EXPECT_EQ(fs::status(dir.Path("t4.pxg")).permissions(), perms);
}

}  // namespace
}  // namespace plotix
