// Files and names that lead the reader or the writer astray: font sizes no font dialog
// gives, links that name a file not written yet.
#include <gtest/gtest.h>

#include <filesystem>

#include "file_fixtures.h"
#include "files/graph_file.h"
#include "platform/message_box.h"

namespace plotix {
namespace {

using namespace testbytes;
namespace fs = std::filesystem;

TEST(HostileFiles, FontSizesAreThoseTheFontDialogGives) {
  const struct {
    int version, size;
    bool read;
  } cases[] = {{2, 1, true},    {2, 512, true},  {1, 512, true},   {2, 0, false},
               {2, 513, false}, {1, 513, false}, {2, 1638, false}, {1, -12, false}};
  for (const auto& c : cases) {
    TScratchDir dir;
    TScopedScriptedMessages messages;
    TBuilder font;
    c.version == 1 ? font.Font1("DejaVu Sans", 0, 0, c.size) : font.Font2("DejaVu Sans", 0, 0, c.size);
    WriteBytes(dir.Path("g.pxg"), GraphFile(font.bytes, c.version));
    TReadGraphFile r;
    ASSERT_TRUE(r.Open(dir.Path("g.pxg")));
    bool read = true;
    try {
      EXPECT_EQ((c.version == 1 ? r.ReadFont1() : r.ReadFont2()).size, c.size);
    } catch (const TGraphFileAbort&) {
      read = false;
    }
    EXPECT_EQ(read, c.read) << "format " << c.version << ", " << c.size << " points";
    EXPECT_EQ(messages->shown.empty() ? "" : messages->shown[0].text, c.read ? "" : "Error Loading File");
  }
}

TEST(HostileFiles, SavingThroughALinkWritesTheFileItNamesExistingOrNot) {
  TScratchDir dir;
  TScopedScriptedMessages messages;
  fs::create_directory(dir.Path("sub"));
  const struct {
    std::string link, named, written;
  } cases[] = {
      {"relative.pxg", "sub/a.pxg", "sub/a.pxg"},
      {"absolute.pxg", dir.Path("sub/b.pxg"), "sub/b.pxg"},
      {"chain.pxg", "relative.pxg", "sub/a.pxg"},  // a link to a link
  };
  for (const auto& c : cases) {
    fs::remove(dir.Path(c.written));
    fs::create_symlink(c.named, dir.Path(c.link));
    TWriteGraphFile w;
    ASSERT_TRUE(w.Open(dir.Path(c.link), 1)) << c.link;
    w.WriteByte(5);
    EXPECT_TRUE(w.Close()) << c.link;
    EXPECT_TRUE(fs::is_symlink(dir.Path(c.link))) << c.link;
    EXPECT_EQ(ReadBytes(dir.Path(c.written)), GraphFile({5})) << c.link;
  }
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"absolute.pxg", "chain.pxg", "relative.pxg", "sub"}));
  // A link that names itself names no file.
  fs::create_symlink("loop.pxg", dir.Path("loop.pxg"));
  TWriteGraphFile w;
  EXPECT_FALSE(w.Open(dir.Path("loop.pxg"), 1));
  EXPECT_EQ(messages->shown.back().text, "Error Creating File");
  EXPECT_TRUE(fs::is_symlink(dir.Path("loop.pxg")));
}

}  // namespace
}  // namespace plotix
