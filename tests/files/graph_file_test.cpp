// The graph file reader and writer: the bytes on disk, the verification on opening, every
// primitive, the message of every failure, and saves that never destroy the old file.
#include "files/graph_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "../told.h"
#include "expr/function_object.h"
#include "file_fixtures.h"

namespace plotix {
namespace {

using namespace testbytes;

constexpr const char* kNotGraph = "E|OK|File is not a Plotix data file, and can not be opened.\n";
constexpr const char* kCorrupted = "E|OK|Error In File; File Data Is Corrupted\n";
constexpr const char* kLoadError = "E|OK|Error Loading File\n";
const TBytes kOldGraph = GraphFile(TBuilder().Raw("old graph").bytes);

class GraphFileTest : public ::testing::Test {
 protected:
  std::string Put(const TBytes& bytes, const std::string& name = "g.pxg") {
    WriteBytes(dir.Path(name), bytes);
    return dir.Path(name);
  }
  template <class F>
  static bool Save(const std::string& path, F fill, int kind = gk2DCartesian) {
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

TEST_F(GraphFileTest, WriterLaysOutSignatureHeaderAndBothChecksums) {
  const std::string path = dir.Path("a.pxg");
  ASSERT_TRUE(Save(
      path,
      [](TWriteGraphFile& w) {
        w.WriteByte(0xAB);
        w.WriteLongString("");  // four zero bytes
      },
      gk3D));
  const TBytes bytes = ReadBytes(path);
  EXPECT_EQ(bytes, GraphFile(TBuilder().Byte(0xAB).I32(0).bytes, 2, 3, "2"));
  EXPECT_EQ(std::string(bytes.begin() + 38, bytes.begin() + 49), std::string("\x01" "2         "));
  EXPECT_EQ(Told(messages), "");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"a.pxg"});
}

TEST_F(GraphFileTest, EveryPrimitiveReadsBackWhatWasWritten) {
  using L = std::numeric_limits<Extended>;
  const Extended values[] = {0.0L, -0.0L, 1.0L / 3, -35.5L, 1e4000L, 1e-4940L, L::infinity(), L::max()};
  const TFontDesc font{"Liberation Serif é", 0x123456, fsBold | fsStrikeOut, 14};
  const std::string path = dir.Path("p.pxg");
  ASSERT_TRUE(Save(path, [&](TWriteGraphFile& w) {
    w.WriteByte(255);
    w.WriteBool(true);
    w.WriteInt16(-12345);
    w.WriteInt32(std::numeric_limits<std::int32_t>::min());
    w.WriteColor(0x80000005);  // a system colour
    for (const Extended v : values) w.WriteExtended(v);
    w.WritePoint({-3, 70000});
    w.WriteRect({1, -2, 3, -4});
    w.WriteLongString("x^2 · π");
    w.WriteLongString(std::string(5000, 'a'));
    w.WriteFont2(font);
  }));
  TReadGraphFile r;
  ASSERT_TRUE(r.Open(path));
  EXPECT_EQ(std::tuple(r.FormatVersion(), r.GraphKind(), r.VersionText()), std::tuple(2, 1, std::string("2")));
  EXPECT_EQ(r.ReadByte(), 255);
  EXPECT_TRUE(r.ReadBool());
  EXPECT_EQ(r.ReadInt16(), -12345);
  EXPECT_EQ(r.ReadInt32(), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(r.ReadColor(), 0x80000005u);
  for (const Extended v : values) {
    const Extended got = r.ReadExtended();
    EXPECT_TRUE(got == v && std::signbit(got) == std::signbit(v)) << double(v);
  }
  const TFilePoint p = r.ReadPoint();
  const TFileRect rect = r.ReadRect();
  EXPECT_EQ(std::vector<int>({p.x, p.y, rect.left, rect.top, rect.right, rect.bottom}),
            std::vector<int>({-3, 70000, 1, -2, 3, -4}));
  EXPECT_EQ(r.ReadLongString(1000), "x^2 · π");
  EXPECT_EQ(r.ReadLongString(5000), std::string(5000, 'a'));
  EXPECT_EQ(r.ReadFont2(), font);
  EXPECT_EQ(r.Remaining(), 0);
  EXPECT_TRUE(r.Close());
  EXPECT_EQ(Told(messages), "");
}

TEST_F(GraphFileTest, FormatOneFieldsAndTexts) {
  TBuilder c;
  c.SStr("abc", 10).Font1("Arial", 0xFF, fsItalic, 12).Zeros(40).I16(-2).I32(-5).Byte(7);
  // Texts are UTF-8 where the bytes are valid UTF-8, else Latin-1.
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
  EXPECT_EQ(r.ReadShortString(10), "abc");
  EXPECT_EQ(r.ReadFont1(), (TFontDesc{"Arial", 0xFF, fsItalic, 12}));
  r.Skip(40);
  EXPECT_EQ(r.ReadInt16(), -2);
  EXPECT_EQ(r.ReadLongString(10), "");  // a negative length is an empty text
  EXPECT_EQ(r.ReadByte(), 7);
  for (const auto& [stored, read] : texts) {
    EXPECT_EQ(r.ReadLongString(100), read);
    EXPECT_EQ(r.ReadShortString(8), read);
  }
  EXPECT_EQ(r.Remaining(), 0);
}

// Anything that claims more than the file holds or the program allows is refused before
// it is read or allocated.
TEST_F(GraphFileTest, LyingContentIsALoadErrorNotAnAllocation) {
  const struct {
    const char* what;
    TBytes content;
    void (*read)(TReadGraphFile&);
  } rows[] = {
      {"text longer than the file", TBuilder().I32(0x7FFFFFFF).Raw("abc").bytes,
       [](TReadGraphFile& r) { r.ReadLongString(0x7FFFFFFF); }},
      {"text longer than allowed", TBuilder().LStr("12345678901").bytes, [](TReadGraphFile& r) { r.ReadLongString(10); }},
      {"short text longer than its field", TBuilder().Byte(9).Raw("12345678").bytes,
       [](TReadGraphFile& r) { r.ReadShortString(8); }},
      {"read past the content", TBuilder().Byte(1).bytes, [](TReadGraphFile& r) { r.ReadInt16(); }},
      {"skip past the content", TBuilder().Zeros(20).bytes, [](TReadGraphFile& r) { r.Skip(21); }},
      {"font of size 0", TBuilder().Font2("Arial", 0, 0, 0).bytes, [](TReadGraphFile& r) { r.ReadFont2(); }},
      {"font of size 5000", TBuilder().Font1("Arial", 0, 0, 5000).bytes, [](TReadGraphFile& r) { r.ReadFont1(); }},
      {"font name of 256 characters", TBuilder().Font2(std::string(256, 'f'), 0, 0, 8).bytes,
       [](TReadGraphFile& r) { r.ReadFont2(); }},
      {"negative count", TBuilder().Zeros(10).bytes, [](TReadGraphFile& r) { r.CheckCount(-1, 10, 1); }},
      {"count over the limit", TBuilder().Zeros(10).bytes, [](TReadGraphFile& r) { r.CheckCount(11, 10, 0); }},
      {"count over the bytes left", TBuilder().Zeros(10).bytes, [](TReadGraphFile& r) { r.CheckCount(3, 10, 4); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    messages->shown.clear();
    TReadGraphFile r;
    ASSERT_TRUE(r.Open(Put(GraphFile(row.content))));
    EXPECT_THROW(row.read(r), TGraphFileAbort);
    EXPECT_EQ(Told(messages), kLoadError);
  }
  TReadGraphFile r;
  ASSERT_TRUE(r.Open(Put(GraphFile(TBuilder().Zeros(12).bytes))));
  EXPECT_EQ(r.CheckCount(3, 3, 4), 3);  // exactly what is left
}

TEST_F(GraphFileTest, OpeningRefusesWhatIsNotAGoodGraphFile) {
  const TBytes good = GraphFile(TBuilder().Byte(1).bytes);  // 66 bytes
  auto changed = [&](std::size_t at, int value) {
    TBytes b = good;
    b[at] = std::uint8_t(value);
    return b;
  };
  auto header = [](int version, const std::string& text) { return GraphFile(TBuilder().Zeros(4).bytes, version, 1, text); };
  TBytes longText = header(3, "0123456789");  // a version text of 11, both checksums agreeing
  longText[38] = 11;
  const std::uint16_t headerSum = Sum(longText, 0, 61);
  longText[61] = std::uint8_t(headerSum);
  longText[62] = std::uint8_t(headerSum >> 8);
  FixChecksum(longText);
  const struct {
    const char* what;
    std::string path;
    std::string told;
  } rows[] = {
      {"empty file", Put({}, "e.pxg"), kNotGraph},
      {"65 bytes", Put(TBytes(good.begin(), good.end() - 1), "65.pxg"), kNotGraph},
      {"signature length", Put(changed(0, 36), "sl.pxg"), kNotGraph},
      {"signature text", Put(changed(5, 'x'), "s.pxg"), kNotGraph},
      {"a folder", dir.Path(""), kNotGraph},
      {"header", Put(changed(40, 'X'), "h.pxg"), kCorrupted},
      {"header checksum", Put(changed(61, good[61] ^ 1), "hc.pxg"), kCorrupted},
      {"file checksum", Put(changed(65, good[65] ^ 0x80), "fc.pxg"), kCorrupted},
      {"content", Put(changed(63, 2), "c.pxg"), kCorrupted},
      {"version 3", Put(header(3, "3"), "v3.pxg"),
       "E|OK|File Created By Version Number 3, And Can Not Be Read By This Version\n"},
      {"version 0", Put(header(0, "10.5 beta"), "v0.pxg"),
       "E|OK|File Created By Version Number 10.5 beta, And Can Not Be Read By This Version\n"},
      {"version without text", Put(header(7, ""), "v7.pxg"), kCorrupted},
      {"version text too long", Put(longText, "vt.pxg"), kCorrupted},
      {"missing", dir.Path("missing.pxg"), "E|AR|Error Opening File\n"},
      {"no name at all", std::string("a\0b", 3), "E|OK|Error Opening File\n"},
      {"empty name", "", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    messages->shown.clear();
    TReadGraphFile r;
    EXPECT_FALSE(r.Open(row.path));
    EXPECT_FALSE(r.IsOpen());
    EXPECT_EQ(Told(messages), row.told);
  }
  TReadGraphFile r;
  ASSERT_TRUE(r.Open(Put(good)));
  EXPECT_EQ(r.Remaining(), 1);
  ASSERT_TRUE(r.Open(Put(header(1, "1"))));
  EXPECT_EQ(r.FormatVersion(), 1);
}

// Each row makes one file operation fail once, answers Retry or Abort, and shows that a
// load fails or goes on, and that a save never leaves a half-written or temporary file.
TEST_F(GraphFileTest, EveryFileOperationFailureIsToldAndRetried) {
  const struct {
    const char* what;
    bool save;
    TIoOp op;
    int nth;
    bool retry;
    bool ok;
    const char* told;
  } rows[] = {
      {"open", false, TIoOp::OpenRead, 1, true, true, "E|AR|Error Opening File\n"},
      {"open", false, TIoOp::OpenRead, 1, false, false, "E|AR|Error Opening File\n"},
      {"size", false, TIoOp::Size, 1, false, false, "E|OK|Error Reading File Size\n"},
      {"signature read", false, TIoOp::Read, 1, true, true, "E|AR|Error Reading From File\n"},
      {"header read", false, TIoOp::Read, 2, false, false, "E|AR|Error Reading From File\n"},
      {"verifying read", false, TIoOp::Read, 4, true, true, "E|AR|Error Reading From File\n"},
      {"verifying read", false, TIoOp::Read, 4, false, false, "E|AR|Error Reading From File\n"},
      {"seek to the content", false, TIoOp::Seek, 1, false, false, "E|OK|Error Reading From File\n"},
      {"close", false, TIoOp::Close, 1, true, true, "E|AR|Error Closing File\n"},
      {"close", false, TIoOp::Close, 1, false, false, "E|AR|Error Closing File\n"},
      {"create", true, TIoOp::OpenCreate, 1, true, true, "E|AR|Error Creating File\n"},
      {"create", true, TIoOp::OpenCreate, 1, false, false, "E|AR|Error Creating File\n"},
      {"first write", true, TIoOp::Write, 1, true, true, "E|AR|Error Writing To File\n"},
      {"second write", true, TIoOp::Write, 2, false, false, "E|AR|Error Writing To File\n"},
      {"sync", true, TIoOp::Sync, 1, true, true, "E|AR|Error Writing To File\n"},
      {"sync", true, TIoOp::Sync, 1, false, false, "E|AR|Error Writing To File\n"},
      {"close", true, TIoOp::Close, 2, true, true, "E|AR|Error Closing File\n"},
      {"rename", true, TIoOp::Rename, 1, true, true, "E|AR|Error Creating File\n"},
      {"rename", true, TIoOp::Rename, 1, false, false, "E|AR|Error Creating File\n"},
      {"existing file's size", true, TIoOp::Size, 1, false, false, "E|OK|Error Verifying Existing File Type\n"},
      {"existing file's signature", true, TIoOp::Read, 1, false, false, "E|OK|Error Verifying Existing File Type\n"},
      {"existing file's close", true, TIoOp::Close, 1, true, true, "E|AR|Error Closing Existing File\n"},
      {"existing file's close", true, TIoOp::Close, 1, false, false, "E|AR|Error Closing Existing File\n"},
  };
  const std::string expectedPath = dir.Path("expected.pxg");
  ASSERT_TRUE(Save(expectedPath, WriteSome));
  const TBytes expected = ReadBytes(expectedPath);
  std::filesystem::remove(expectedPath);
  const TBytes content = GraphFile(TBuilder().Zeros(3000).bytes);
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.save ? "save: " : "load: ") + row.what + (row.retry ? ", retried" : ", aborted"));
    messages->shown.clear();
    if (row.retry) messages->QueueAnswer(TMsgAnswer::Retry);
    const std::string path = Put(row.save ? kOldGraph : content);
    bool ok = false;
    {
      TScopedFaultyIO io(row.op, row.nth);
      TReadGraphFile r;
      ok = row.save ? Save(path, WriteSome) : r.Open(path) && r.Remaining() == 3000 && r.Close();
      EXPECT_FALSE(r.IsOpen());
    }
    EXPECT_EQ(ok, row.ok);
    EXPECT_EQ(Told(messages), row.told);
    if (row.save) {
      EXPECT_EQ(ReadBytes(path), row.ok ? expected : kOldGraph);
    }
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"g.pxg"});
  }
}

// A file cut short after it was verified: the read asks; Retry once the file is whole
// again goes on where it stopped, Abort abandons the load.
TEST_F(GraphFileTest, AFileCutShortWhileReadingAsksAbortOrRetry) {
  TBuilder c;
  for (int i = 0; i < 10000; ++i) c.I32(i);
  const TBytes whole = GraphFile(c.bytes);
  const std::string path = Put(whole);
  class TRestoring : public TScriptedMsgHandler {
   public:
    explicit TRestoring(std::function<void()> restore) : restore_(std::move(restore)) {}
    TMsgAnswer Show(TMsgKind kind, const std::string& text, TMsgButtons buttons) override {
      TScriptedMsgHandler::Show(kind, text, buttons);
      restore_();
      return TMsgAnswer::Retry;
    }
    std::function<void()> restore_;
  };
  auto restoring = std::make_unique<TRestoring>([&] { WriteBytes(path, whole); });
  TRestoring& told = *restoring;
  auto previous = InstallMsgHandler(std::move(restoring));
  int inOrder = 0;
  {
    TReadGraphFile r;
    ASSERT_TRUE(r.Open(path));
    std::filesystem::resize_file(path, 100);
    for (int i = 0; i < 10000; ++i) inOrder += r.ReadInt32() == i;
  }
  EXPECT_EQ(inOrder, 10000);
  EXPECT_EQ(Told(told), "E|AR|Error Reading From File\n");
  InstallMsgHandler(std::move(previous));

  TReadGraphFile r;
  ASSERT_TRUE(r.Open(path));
  std::filesystem::resize_file(path, 100);
  EXPECT_THROW(for (int i = 0; i < 10000; ++i) r.ReadInt32(), TGraphFileAbort);
  EXPECT_EQ(Told(messages), "E|AR|Error Reading From File\n");
}

TEST_F(GraphFileTest, AnUnfinishedSaveLeavesTheOldFileByteForByte) {
  const std::string path = Put(kOldGraph);
  {
    TWriteGraphFile w;
    ASSERT_TRUE(w.Open(path, gk2DCartesian));
    WriteSome(w);
  }  // destroyed without Close
  EXPECT_EQ(ReadBytes(path), kOldGraph);
  TWriteGraphFile w;  // a writer opened again abandons what it had begun
  ASSERT_TRUE(w.Open(path, gk2DCartesian));
  WriteSome(w);
  ASSERT_TRUE(w.Open(dir.Path("other.pxg"), gk2DCartesian));
  EXPECT_TRUE(w.Close());
  EXPECT_FALSE(w.Close());  // nothing open any more
  EXPECT_EQ(ReadBytes(path), kOldGraph);
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"g.pxg", "other.pxg"}));
  EXPECT_EQ(Told(messages), "");
}

TEST_F(GraphFileTest, OverwritingAsksOnlyWhenTheExistingFileIsNoGraphFile) {
  const char* kAsk = "W|OC|Existing File Is Not A Plotix Data File, Do You Want To Overwrite?\n";
  const TBytes text = TBuilder().Raw("Dear diary,\nnot a graph.\n").bytes;
  const struct {
    const char* what;
    std::string path;
    TMsgAnswer answer;
    bool saved;
    std::string told;
  } rows[] = {
      {"text file, cancelled", Put(text, "t1.pxg"), TMsgAnswer::Cancel, false, kAsk},
      {"text file, overwritten", Put(text, "t2.pxg"), TMsgAnswer::OK, true, kAsk},
      {"65 bytes of a graph", Put(TBytes(kOldGraph.begin(), kOldGraph.begin() + 65), "t3.pxg"), TMsgAnswer::Cancel,
       false, kAsk},
      {"a link to a graph", dir.Path("link.pxg"), TMsgAnswer::Cancel, true, ""},
      {"a graph file", Put(kOldGraph, "t4.pxg"), TMsgAnswer::Cancel, true, ""},
      {"a damaged graph file", Put(GraphFile({1, 2, 3}, 9, 9, "garbage"), "t5.pxg"), TMsgAnswer::Cancel, true, ""},
      {"a new name", dir.Path("new.pxg"), TMsgAnswer::Cancel, true, ""},
      {"a folder that is not there", dir.Path("no-such-folder/g.pxg"), TMsgAnswer::Cancel, false,
       "E|AR|Error Creating File\n"},
      {"no name", "", TMsgAnswer::Cancel, false, ""},
      {"a name that can not be", std::string("a\0b", 3), TMsgAnswer::Cancel, false, "E|OK|Error Creating File\n"},
  };
  std::filesystem::create_symlink(dir.Path("t4.pxg"), dir.Path("link.pxg"));
  namespace fs = std::filesystem;
  fs::permissions(dir.Path("t4.pxg"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    messages->shown.clear();
    if (row.told == kAsk) messages->QueueAnswer(row.answer);
    const TBytes before = ReadBytes(row.path);
    EXPECT_EQ(Save(row.path, [](TWriteGraphFile& w) { w.WriteByte(9); }), row.saved);
    EXPECT_EQ(Told(messages), row.told);
    if (!row.path.empty()) {
      EXPECT_EQ(ReadBytes(row.path), row.saved ? GraphFile({9}) : before);
    }
  }
  // Through the link the file it points to was replaced, keeping its permissions.
  EXPECT_TRUE(fs::is_symlink(dir.Path("link.pxg")));
  EXPECT_EQ(fs::status(dir.Path("t4.pxg")).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
}

TEST_F(GraphFileTest, ExpressionRecordInBothFormats) {
  const std::string path = dir.Path("e.pxg");
  TMathGraphFunc f;
  f.SetExpression("25*40");
  ASSERT_TRUE(Save(path, [&](TWriteGraphFile& w) { f.WriteToFile(w); }));
  EXPECT_EQ(ReadBytes(path), GraphFile(TBuilder().LStr("25*40").bytes));
  const struct {
    std::string path;
    std::string expression;
    Extended value;
  } rows[] = {
      {path, "25*40", 1000},
      {Put(GraphFile(TBuilder().Byte(0xEE).SStr("sqrt(16)", 255).bytes, 1), "one.pxg"), "sqrt(16)", 4},
  };
  for (const auto& row : rows) {
    TReadGraphFile r;
    ASSERT_TRUE(r.Open(row.path));
    TMathGraphFunc g;
    g.ReadFromFile(r);
    EXPECT_EQ(g.Expression(), row.expression);
    ASSERT_TRUE(g.Evaluate());
    EXPECT_EQ(g.Result(), row.value);
  }
  for (const std::string& text : {std::string("4+"), std::string(1001, '1')}) {
    messages->shown.clear();
    TReadGraphFile r;
    ASSERT_TRUE(r.Open(Put(GraphFile(TBuilder().LStr(text).bytes))));
    TMathGraphFunc g;
    EXPECT_THROW(g.ReadFromFile(r), TGraphFileAbort);  // a text that does not compile
    EXPECT_EQ(Told(messages), kLoadError);
  }
}

}  // namespace
}  // namespace plotix
