#pragma once
// Graph bytes opened as a user opens a file: written to a scratch folder with their checksum
// mended, and opened into a document; what the user was told comes back.

#include "../told.h"
#include "file_fixtures.h"
#include "window/graph_document.h"

namespace plotix {

class TOpenBytes {
 public:
  std::string operator()(testbytes::TBytes bytes, TGraphDoc& doc) {
    testbytes::FixChecksum(bytes);
    std::filesystem::remove(dir_.Path("g.pxg"));
    testbytes::WriteBytes(dir_.Path("g.pxg"), bytes);
    messages_->shown.clear();
    const bool opened = OpenGraph(dir_.Path("g.pxg"), doc);
    EXPECT_EQ(opened, Told(messages_).empty());
    return Told(messages_);
  }

 private:
  testbytes::TScratchDir dir_;
  TScopedScriptedMessages messages_;
};

}  // namespace plotix
