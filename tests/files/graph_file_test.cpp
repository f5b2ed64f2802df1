// The graph file reader and writer: bytes on disk, verification on opening, every
// primitive, the messages of every failure, and saves that never destroy the old file.
#include "files/graph_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "expr/function_object.h"
#include "file_fixtures.h"
#include "platform/message_box.h"

namespace plotix {
namespace {

using namespace testbytes;

using TShown = TScriptedMsgHandler::TShown;

// What the user was told, as "kind|buttons|text" lines, for compact expectations.
std::string Told(const std::vector<TShown>& shown) {
  std::string out;
  for (const auto& s : shown) {
    out += s.kind == TMsgKind::Error         ? "E|"
           : s.kind == TMsgKind::Warning     ? "W|"
           : s.kind == TMsgKind::Information ? "I|"
                                             : "C|";
    out += s.buttons == TMsgButtons::OK           ? "OK|"
           : s.buttons == TMsgButtons::AbortRetry ? "AR|"
           : s.buttons == TMsgButtons::OKCancel   ? "OC|"
                                                  : "?|";
    out += s.text + "\n";
  }
  return out;
}

constexpr const char* kNotGraph = "E|OK|File is not a Plotix data file, and can not be opened.\n";
constexpr const char* kCorrupted = "E|OK|Error In File; File Data Is Corrupted\n";
constexpr const char* kLoadError = "E|OK|Error Loading File\n";

class GraphFileTest : public ::testing::Test {
 protected:
  std::string Put(const TBytes& bytes, const std::string& name = "g.pxg") {
    const std::string path = dir.Path(name);
    WriteBytes(path, bytes);
    return path;
  }
  // Writes a file whose content is produced by fill.
  template <class F>
  bool Save(const std::string& path, F fill, int kind = gk2DCartesian) {
    TWriteGraphFile w;
    if (!w.Open(path, kind)) return false;
    fill(w);
    return w.Close();
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
        w.WriteLongString("");
      },
      gk3D));
  TBuilder content;
  content.Byte(0xAB).I32(0);  // an empty text is four zero bytes and nothing else
  EXPECT_EQ(ReadBytes(path), GraphFile(content.bytes, 2, 3, "2"));
  const TBytes bytes = ReadBytes(path);
  // Version text "2" in an 11-byte field whose last nine bytes are spaces.
  EXPECT_EQ(std::string(bytes.begin() + 38, bytes.begin() + 49), std::string("\x01"
                                                                             "2         "));
  EXPECT_TRUE(messages->shown.empty());
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"a.pxg"});
}

TEST_F(GraphFileTest, EveryPrimitiveReadsBackWhatWasWritten) {
  const Extended values[] = {0.0L,
                             -0.0L,
                             1.0L / 3,
                             -35.5L,
                             1e4000L,
                             1e-4940L,
                             std::numeric_limits<Extended>::infinity(),
                             std::numeric_limits<Extended>::max()};
  const TFontDesc font{"Liberation Serif é", 0x123456, fsBold | fsStrikeOut, 14};
  const std::string path = dir.Path("p.pxg");
  ASSERT_TRUE(Save(path, [&](TWriteGraphFile& w) {
    w.WriteByte(0);
    w.WriteByte(255);
    w.WriteBool(true);
    w.WriteInt16(-12345);
    w.WriteInt32(std::numeric_limits<std::int32_t>::min());
    w.WriteInt32(0x7FFFFFFF);
    w.WriteColor(0x80000005);  // a system colour
    for (const Extended v : values) w.WriteExtended(v);
    w.WriteExtended(std::numeric_limits<Extended>::quiet_NaN());
    w.WritePoint({-3, 70000});
    w.WriteRect({1, -2, 3, -4});
    w.WriteLongString("x^2 · π");
    w.WriteLongString(std::string(5000, 'a'));
    w.WriteFont2(font);
  }));
  TReadGraphFile r;
  ASSERT_TRUE(r.Open(path));
  EXPECT_EQ(r.FormatVersion(), 2);
  EXPECT_EQ(r.GraphKind(), 1);
  EXPECT_EQ(r.VersionText(), "2");
  EXPECT_EQ(r.ReadByte(), 0);
  EXPECT_EQ(r.ReadByte(), 255);
  EXPECT_TRUE(r.ReadBool());
  EXPECT_EQ(r.ReadInt16(), -12345);
  EXPECT_EQ(r.ReadInt32(), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(r.ReadInt32(), 0x7FFFFFFF);
  EXPECT_EQ(r.ReadColor(), 0x80000005u);
  for (const Extended v : values) {
    const Extended got = r.ReadExtended();
    EXPECT_EQ(got, v);
    EXPECT_EQ(std::signbit(got), std::signbit(v));
  }
  EXPECT_TRUE(std::isnan(r.ReadExtended()));
  const TFilePoint p = r.ReadPoint();
  EXPECT_EQ(p.x, -3);
  EXPECT_EQ(p.y, 70000);
  const TFileRect rect = r.ReadRect();
  EXPECT_EQ(rect.left, 1);
  EXPECT_EQ(rect.top, -2);
  EXPECT_EQ(rect.right, 3);
  EXPECT_EQ(rect.bottom, -4);
  EXPECT_EQ(r.ReadLongString(1000), "x^2 · π");
  EXPECT_EQ(r.ReadLongString(5000), std::string(5000, 'a'));
  EXPECT_EQ(r.ReadFont2(), font);
  EXPECT_EQ(r.Remaining(), 0);
  EXPECT_TRUE(r.Close());
  EXPECT_TRUE(messages->shown.empty());
}

TEST_F(GraphFileTest, FormatOneFieldsAndSkipping) {
  TBuilder c;
  c.SStr("abc", 10).Font1("Arial", 0xFF, fsItalic, 12).Zeros(40).I16(-2).SStr("", 5);
  TReadGraphFile r;
  ASSERT_TRUE(r.Open(Put(GraphFile(c.bytes, 1, 2, "1.0"))));
  EXPECT_EQ(r.FormatVersion(), 1);
  EXPECT_EQ(r.GraphKind(), 2);
  EXPECT_EQ(r.VersionText(), "1.0");
  EXPECT_EQ(r.ReadShortString(10), "abc");
  EXPECT_EQ(r.ReadFont1(), (TFontDesc{"Arial", 0xFF, fsItalic, 12}));
  r.Skip(40);
  EXPECT_EQ(r.ReadInt16(), -2);
  EXPECT_EQ(r.ReadShortString(5), "");
  EXPECT_EQ(r.Remaining(), 0);
}

TEST_F(GraphFileTest, TextsAreUtf8WhereValidElseLatin1) {
  const struct {
    std::string stored, read;
  } cases[] = {
      {"plain", "plain"},
      {"\xC3\xA9t\xC3\xA9", "\xC3\xA9t\xC3\xA9"},    // UTF-8 "été"
      {"\xE9t\xE9", "\xC3\xA9t\xC3\xA9"},            // Latin-1 "été"
      {"\xC0\xAF", "\xC3\x80\xC2\xAF"},              // an overlong form is not UTF-8
      {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xC2\x80"},  // nor is a surrogate
      {"\xE2\x82", "\xC3\xA2\xC2\x82"},              // nor a cut sequence
      {"\xF0\x9F\x93\x88", "\xF0\x9F\x93\x88"},      // four bytes
  };
  TBuilder c;
  for (const auto& t : cases) c.LStr(t.stored).SStr(t.stored, 8);
  TReadGraphFile r;
  ASSERT_TRUE(r.Open(Put(GraphFile(c.bytes))));
  for (const auto& t : cases) {
    EXPECT_EQ(r.ReadLongString(100), t.read);
    EXPECT_EQ(r.ReadShortString(8), t.read);
  }
}

// A negative length reads as an empty text with nothing after its length.
TEST_F(GraphFileTest, NegativeLengthIsEmpty) {
  TReadGraphFile r;
  ASSERT_TRUE(r.Open(Put(GraphFile(TBuilder().I32(-5).Byte(7).bytes))));
  EXPECT_EQ(r.ReadLongString(10), "");
  EXPECT_EQ(r.ReadByte(), 7);
}

// Anything that claims more than the file holds or the program allows is refused
// before it is read or allocated.
TEST_F(GraphFileTest, LyingContentIsALoadErrorNotAnAllocation) {
  const struct {
    const char* what;
    TBytes content;
    void (*read)(TReadGraphFile&);
  } cases[] = {
      {"text longer than the file", TBuilder().I32(0x7FFFFFFF).Raw("abc").bytes,
       [](TReadGraphFile& r) { r.ReadLongString(0x7FFFFFFF); }},
      {"text longer than allowed", TBuilder().LStr(std::string(11, 'x')).bytes,
       [](TReadGraphFile& r) { r.ReadLongString(10); }},
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
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    messages->shown.clear();
    TReadGraphFile r;
    ASSERT_TRUE(r.Open(Put(GraphFile(c.content))));
    EXPECT_THROW(c.read(r), TGraphFileAbort);
    EXPECT_EQ(Told(messages->shown), kLoadError);
  }
  TReadGraphFile r;
  ASSERT_TRUE(r.Open(Put(GraphFile(TBuilder().Zeros(12).bytes))));
  EXPECT_EQ(r.CheckCount(3, 3, 4), 3);  // exactly what is left
  EXPECT_EQ(r.CheckCount(0, 0, 100), 0);
}

TEST_F(GraphFileTest, OpeningRefusesWhatIsNotAGoodGraphFile) {
  const TBytes good = GraphFile(TBuilder().Byte(1).bytes);  // 66 bytes
  auto changed = [&](std::size_t at, std::uint8_t value) {
    TBytes b = good;
    b[at] = value;
    return b;
  };
  auto header = [](int version, const std::string& text) {
    return GraphFile(TBuilder().Zeros(4).bytes, version, 1, text);
  };
  // A version text length of 11, with both checksums agreeing.
  TBytes longText = header(3, "0123456789");
  longText[38] = 11;
  const std::uint16_t headerSum = Sum(longText, 0, 61);
  longText[61] = static_cast<std::uint8_t>(headerSum);
  longText[62] = static_cast<std::uint8_t>(headerSum >> 8);
  FixChecksum(longText);
  TBytes badHeader = changed(40, 'X');
  const struct {
    const char* what;
    TBytes bytes;
    std::string told;
  } cases[] = {
      {"empty file", {}, kNotGraph},
      {"65 bytes", TBytes(good.begin(), good.end() - 1), kNotGraph},
      {"65 bytes of nothing", TBytes(65, 0), kNotGraph},
      {"signature length", changed(0, 36), kNotGraph},
      {"signature text", changed(5, 'x'), kNotGraph},
      {"header", badHeader, kCorrupted},
      {"header checksum", changed(61, good[61] ^ 1), kCorrupted},
      {"file checksum", changed(65, good[65] ^ 0x80), kCorrupted},
      {"content", changed(63, 2), kCorrupted},
      {"version 3", header(3, "3"), "E|OK|File Created By Version Number 3, And Can Not Be Read By This Version\n"},
      {"version 0", header(0, "10.5 beta"),
       "E|OK|File Created By Version Number 10.5 beta, And Can Not Be Read By This Version\n"},
      {"version without text", header(7, ""), kCorrupted},
      {"version text too long", longText, kCorrupted},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    messages->shown.clear();
    TReadGraphFile r;
    EXPECT_FALSE(r.Open(Put(c.bytes)));
    EXPECT_FALSE(r.IsOpen());
    EXPECT_EQ(Told(messages->shown), c.told);
  }
  // 66 bytes with a correct header and checksums open, with one content byte.
  messages->shown.clear();
  TReadGraphFile r;
  ASSERT_TRUE(r.Open(Put(good)));
  EXPECT_EQ(r.Remaining(), 1);
  EXPECT_EQ(r.ReadByte(), 1);
  // Version 1 files open too.
  ASSERT_TRUE(r.Open(Put(header(1, "1"))));
  EXPECT_EQ(r.FormatVersion(), 1);
  EXPECT_TRUE(messages->shown.empty());
  EXPECT_FALSE(r.Open(""));
  EXPECT_TRUE(messages->shown.empty());
}

TEST_F(GraphFileTest, OpeningAFileThatIsNotThere) {
  messages->QueueAnswer(TMsgAnswer::Retry);  // and then Abort
  TReadGraphFile r;
  EXPECT_FALSE(r.Open(dir.Path("missing.pxg")));
  EXPECT_EQ(Told(messages->shown), "E|AR|Error Opening File\nE|AR|Error Opening File\n");
  // A name that can not name a file at all.
  messages->shown.clear();
  EXPECT_FALSE(r.Open(std::string("a\0b", 3)));
  EXPECT_EQ(Told(messages->shown), "E|OK|Error Opening File\n");
  // A folder is no graph file.
  messages->shown.clear();
  EXPECT_FALSE(r.Open(dir.Path("")));
  EXPECT_EQ(Told(messages->shown), kNotGraph);
}

// A file cut short after it was verified: the read asks; Retry after the file is whole
// again goes on where it stopped.
TEST_F(GraphFileTest, AFailedReadAsksAbortOrRetry) {
  TBuilder c;
  for (int i = 0; i < 10000; ++i) c.I32(i);
  const TBytes whole = GraphFile(c.bytes);
  const std::string path = Put(whole);

  class TRestoring : public TMsgHandler {
   public:
    TRestoring(std::string path, TBytes bytes) : path_(std::move(path)), bytes_(std::move(bytes)) {}
    TMsgAnswer Show(TMsgKind, const std::string& text, TMsgButtons buttons) override {
      told += text + (buttons == TMsgButtons::AbortRetry ? "|AR\n" : "\n");
      WriteBytes(path_, bytes_);
      return TMsgAnswer::Retry;
    }
    std::string told;

   private:
    std::string path_;
    TBytes bytes_;
  };
  auto restoring = std::make_unique<TRestoring>(path, whole);
  TRestoring* handler = restoring.get();
  auto previous = InstallMsgHandler(std::move(restoring));
  {
    TReadGraphFile r;
    ASSERT_TRUE(r.Open(path));
    std::filesystem::resize_file(path, 100);
    bool inOrder = true;
    for (int i = 0; i < 10000; ++i) inOrder = inOrder && r.ReadInt32() == i;
    EXPECT_TRUE(inOrder);
  }
  EXPECT_EQ(handler->told, "Error Reading From File|AR\n");
  InstallMsgHandler(std::move(previous));

  // Abort abandons the load.
  TReadGraphFile r;
  ASSERT_TRUE(r.Open(path));
  std::filesystem::resize_file(path, 100);
  EXPECT_THROW(for (int i = 0; i < 10000; ++i) r.ReadInt32(), TGraphFileAbort);
  EXPECT_EQ(Told(messages->shown), "E|AR|Error Reading From File\n");
}

struct TReadFault {
  const char* what;
  TIoOp op;
  int nth;
  std::vector<TMsgAnswer> answers;
  bool opens;
  std::string told;
};

TEST_F(GraphFileTest, EveryReaderFailureIsToldAndRetried) {
  TBuilder content;
  content.Zeros(3000);
  const std::string path = Put(GraphFile(content.bytes));
  const TReadFault cases[] = {
      {"open, retried", TIoOp::OpenRead, 1, {TMsgAnswer::Retry}, true, "E|AR|Error Opening File\n"},
      {"open, aborted", TIoOp::OpenRead, 1, {}, false, "E|AR|Error Opening File\n"},
      {"size", TIoOp::Size, 1, {}, false, "E|OK|Error Reading File Size\n"},
      {"signature read, retried", TIoOp::Read, 1, {TMsgAnswer::Retry}, true, "E|AR|Error Reading From File\n"},
      {"signature read, aborted", TIoOp::Read, 1, {}, false, "E|AR|Error Reading From File\n"},
      {"header read, aborted", TIoOp::Read, 2, {}, false, "E|AR|Error Reading From File\n"},
      {"verifying read, retried", TIoOp::Read, 4, {TMsgAnswer::Retry}, true, "E|AR|Error Reading From File\n"},
      {"verifying read, aborted", TIoOp::Read, 4, {}, false, "E|AR|Error Reading From File\n"},
      {"seek to the content", TIoOp::Seek, 1, {}, false, "E|OK|Error Reading From File\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    messages->shown.clear();
    for (const auto a : c.answers) messages->QueueAnswer(a);
    TScopedFaultyIO io(c.op, c.nth);
    TReadGraphFile r;
    EXPECT_EQ(r.Open(path), c.opens);
    EXPECT_EQ(r.IsOpen(), c.opens);
    EXPECT_EQ(Told(messages->shown), c.told);
    if (c.opens) {
      EXPECT_EQ(r.Remaining(), 3000);
    }
  }
}

TEST_F(GraphFileTest, ClosingFailuresAskAbortOrRetry) {
  const std::string path = Put(GraphFile(TBuilder().Zeros(10).bytes));
  {
    TScopedFaultyIO io(TIoOp::Close, 1);
    TReadGraphFile r;
    ASSERT_TRUE(r.Open(path));
    messages->QueueAnswer(TMsgAnswer::Retry);
    EXPECT_TRUE(r.Close());
    EXPECT_FALSE(r.IsOpen());
    EXPECT_EQ(Told(messages->shown), "E|AR|Error Closing File\n");
  }
  messages->shown.clear();
  TScopedFaultyIO io(TIoOp::Close, 1, 2);
  TReadGraphFile r;
  ASSERT_TRUE(r.Open(path));
  EXPECT_FALSE(r.Close());  // Abort
  EXPECT_FALSE(r.IsOpen());
  EXPECT_EQ(Told(messages->shown), "E|AR|Error Closing File\n");
}

// ---- writing -----------------------------------------------------------------

const TBytes kOldGraph = GraphFile(TBuilder().Raw("old graph").bytes);

auto WriteSome = [](TWriteGraphFile& w) {
  for (int i = 0; i < 30000; ++i) w.WriteInt32(i);  // more than one buffer
};

struct TWriteFault {
  const char* what;
  TIoOp op;
  int nth;
  std::vector<TMsgAnswer> answers;
  bool saved;
  std::string told;
};

TEST_F(GraphFileTest, EveryWriterFailureIsToldAndLeavesTheOldFile) {
  const TWriteFault cases[] = {
      {"create, retried", TIoOp::OpenCreate, 1, {TMsgAnswer::Retry}, true, "E|AR|Error Creating File\n"},
      {"create, aborted", TIoOp::OpenCreate, 1, {}, false, "E|AR|Error Creating File\n"},
      {"first write, retried", TIoOp::Write, 1, {TMsgAnswer::Retry}, true, "E|AR|Error Writing To File\n"},
      {"second write, aborted", TIoOp::Write, 2, {}, false, "E|AR|Error Writing To File\n"},
      {"sync, retried", TIoOp::Sync, 1, {TMsgAnswer::Retry}, true, "E|AR|Error Writing To File\n"},
      {"sync, aborted", TIoOp::Sync, 1, {}, false, "E|AR|Error Writing To File\n"},
      {"close, retried", TIoOp::Close, 2, {TMsgAnswer::Retry}, true, "E|AR|Error Closing File\n"},
      {"rename, retried", TIoOp::Rename, 1, {TMsgAnswer::Retry}, true, "E|AR|Error Creating File\n"},
      {"rename, aborted", TIoOp::Rename, 1, {}, false, "E|AR|Error Creating File\n"},
      {"existing file's size", TIoOp::Size, 1, {}, false, "E|OK|Error Verifying Existing File Type\n"},
      {"existing file's signature", TIoOp::Read, 1, {}, false, "E|OK|Error Verifying Existing File Type\n"},
      {"existing file's close, retried",
       TIoOp::Close,
       1,
       {TMsgAnswer::Retry},
       true,
       "E|AR|Error Closing Existing File\n"},
      {"existing file's close, aborted", TIoOp::Close, 1, {}, false, "E|AR|Error Closing Existing File\n"},
  };
  TBytes expected;
  {
    const std::string path = dir.Path("expected.pxg");
    ASSERT_TRUE(Save(path, WriteSome));
    expected = ReadBytes(path);
    std::filesystem::remove(path);
  }
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    messages->shown.clear();
    for (const auto a : c.answers) messages->QueueAnswer(a);
    const std::string path = Put(kOldGraph);
    {
      TScopedFaultyIO io(c.op, c.nth);
      EXPECT_EQ(Save(path,
                     [](TWriteGraphFile& w) {
                       try {
                         WriteSome(w);
                       } catch (const TGraphFileAbort&) {  // the save is abandoned
                       }
                     }),
                c.saved);
    }
    EXPECT_EQ(Told(messages->shown), c.told);
    EXPECT_EQ(ReadBytes(path), c.saved ? expected : kOldGraph);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"g.pxg"});  // no temporary file left
  }
}

TEST_F(GraphFileTest, AnUnfinishedSaveLeavesTheOldFileByteForByte) {
  const std::string path = Put(kOldGraph);
  {
    TWriteGraphFile w;
    ASSERT_TRUE(w.Open(path, gk2DCartesian));
    WriteSome(w);
  }  // destroyed without Close
  EXPECT_EQ(ReadBytes(path), kOldGraph);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"g.pxg"});
  // A writer opened again abandons what it had begun.
  TWriteGraphFile w;
  ASSERT_TRUE(w.Open(path, gk2DCartesian));
  WriteSome(w);
  ASSERT_TRUE(w.Open(dir.Path("other.pxg"), gk2DCartesian));
  EXPECT_TRUE(w.Close());
  EXPECT_EQ(ReadBytes(path), kOldGraph);
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"g.pxg", "other.pxg"}));
  EXPECT_FALSE(w.Close());  // nothing open any more
  EXPECT_TRUE(messages->shown.empty());
}

TEST_F(GraphFileTest, OverwritingAskOnlyWhenTheExistingFileIsNoGraphFile) {
  const char* kAsk = "W|OC|Existing File Is Not A Plotix Data File, Do You Want To Overwrite?\n";
  const TBytes text = TBuilder().Raw("Dear diary,\nnot a graph.\n").bytes;
  const TBytes graph65(kOldGraph.begin(), kOldGraph.begin() + 65);
  const struct {
    const char* what;
    TBytes existing;
    TMsgAnswer answer;
    bool saved;
    std::string told;
  } cases[] = {
      {"text file, cancelled", text, TMsgAnswer::Cancel, false, kAsk},
      {"text file, overwritten", text, TMsgAnswer::OK, true, kAsk},
      {"65 bytes of a graph", graph65, TMsgAnswer::Cancel, false, kAsk},
      {"a graph file", kOldGraph, TMsgAnswer::Cancel, true, ""},
      {"a damaged graph file", GraphFile({1, 2, 3}, 9, 9, "garbage"), TMsgAnswer::Cancel, true, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    messages->shown.clear();
    if (!c.told.empty()) messages->QueueAnswer(c.answer);
    const std::string path = Put(c.existing, "t.pxg");
    EXPECT_EQ(Save(path, [](TWriteGraphFile& w) { w.WriteByte(9); }), c.saved);
    EXPECT_EQ(Told(messages->shown), c.told);
    EXPECT_EQ(ReadBytes(path), c.saved ? GraphFile({9}) : c.existing);
  }
  // A new name is created without a question.
  messages->shown.clear();
  EXPECT_TRUE(Save(dir.Path("new.pxg"), [](TWriteGraphFile&) {}));
  EXPECT_TRUE(messages->shown.empty());
}

TEST_F(GraphFileTest, NamesThatCanNotBeWritten) {
  const struct {
    std::string name;
    std::string told;
  } cases[] = {
      {"", ""},
      {std::string("a\0b", 3), "E|OK|Error Creating File\n"},
      {dir.Path("no-such-folder/g.pxg"), "E|AR|Error Creating File\n"},
  };
  for (const auto& c : cases) {
    messages->shown.clear();
    TWriteGraphFile w;
    EXPECT_FALSE(w.Open(c.name, gk2DCartesian));
    EXPECT_EQ(Told(messages->shown), c.told);
  }
}

TEST_F(GraphFileTest, SavingThroughALinkReplacesTheFileItPointsTo) {
  const std::string path = Put(kOldGraph);
  const std::string link = dir.Path("link.pxg");
  std::filesystem::create_symlink(path, link);
  ASSERT_TRUE(Save(link, [](TWriteGraphFile& w) { w.WriteByte(5); }));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadBytes(path), GraphFile({5}));
}

TEST_F(GraphFileTest, ASavedFileKeepsThePermissionsOfTheOneItReplaces) {
  const std::string path = Put(kOldGraph);
  std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                         std::filesystem::perms::others_read);
  ASSERT_TRUE(Save(path, [](TWriteGraphFile& w) { w.WriteByte(5); }));
  EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms::owner_read |
                                                             std::filesystem::perms::owner_write |
                                                             std::filesystem::perms::others_read);
}

// ---- the expression record ---------------------------------------------------

TEST_F(GraphFileTest, ExpressionRecordInBothFormats) {
  const std::string path = dir.Path("e.pxg");
  TMathGraphFunc f;
  f.SetExpression("25*40");
  ASSERT_TRUE(Save(path, [&](TWriteGraphFile& w) { f.WriteToFile(w); }));
  EXPECT_EQ(ReadBytes(path), GraphFile(TBuilder().LStr("25*40").bytes));

  TBuilder one;
  one.Byte(0xEE).SStr("sqrt(16)", 255).LStr("4+");  // format 1: a byte, then 256 bytes
  TReadGraphFile r;
  ASSERT_TRUE(r.Open(Put(GraphFile(one.bytes, 1))));
  TMathGraphFunc g;
  g.ReadFromFile(r);
  EXPECT_EQ(g.Expression(), "sqrt(16)");
  ASSERT_TRUE(g.Evaluate());
  EXPECT_EQ(g.Result(), 4);

  ASSERT_TRUE(r.Open(path));
  g.ReadFromFile(r);
  EXPECT_EQ(g.Expression(), "25*40");
  ASSERT_TRUE(g.Evaluate());
  EXPECT_EQ(g.Result(), 1000);
  EXPECT_TRUE(messages->shown.empty());

  // A text that does not compile abandons the load.
  for (const std::string& text : {std::string("4+"), std::string(1001, '1')}) {
    messages->shown.clear();
    ASSERT_TRUE(r.Open(Put(GraphFile(TBuilder().LStr(text).bytes))));
    EXPECT_THROW(g.ReadFromFile(r), TGraphFileAbort);
    EXPECT_EQ(Told(messages->shown), kLoadError);
  }
}

}  // namespace
}  // namespace plotix
