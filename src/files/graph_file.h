#pragma once
// Reading and writing graph files: signature, header, the two checksums and every
// primitive of the records. Failures are shown to the user where they happen;
// an Abort (or a failure that can not be retried) raises TGraphFileAbort, which
// abandons the whole load or save.

#include <cstdint>
#include <string>
#include <vector>

#include "expr/parameters.h"
#include "platform/colour.h"
#include "platform/extended.h"
#include "platform/font_description.h"

namespace plotix {

// Raised by a reader or writer primitive when the user chose Abort (the message has
// been shown already), and by records that find the file inconsistent.
struct TGraphFileAbort {};

// The format written when format 2 holds the whole graph, and the newest format, which adds
// tagged extension records after format 2's content.
constexpr std::int32_t kFileFormatVersion = 2;
constexpr std::int32_t kNewestFileFormat = 3;

// The tags of the graph-wide extension records. Each function class a graph kind keeps in
// its own records claims its tag beside these when it is registered. A tag is never reused:
// a reader that meets one it does not know refuses the file rather than drop what the record
// holds.
enum TFileTag : std::int32_t {
  tagParameters = 3,       // the graph's parameters
  tagFunctionNames = 4,    // the names of the graph's functions, in list order
  tagHiddenFunctions = 6,  // the list positions of the functions not shown
};
// Claims a tag for a kind of record; false when a record kind holds it already.
bool ClaimRecordTag(std::int32_t tag);
void ReleaseRecordTag(std::int32_t tag);
// A tag this version writes, for one kind of graph or another.
bool IsClaimedRecordTag(std::int32_t tag);
constexpr int kFileHeaderEnd = 63;  // first content byte
constexpr int kMinGraphFileSize = 66;

// Longest font face name a file may hold.
constexpr int kMaxFontNameLength = 255;

struct TFilePoint {
  std::int32_t x = 0, y = 0;
};
struct TFileRect {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// Shows "Error Loading File" and raises TGraphFileAbort: for records whose content
// names nothing the program knows, or holds more than the file or the program allows.
[[noreturn]] void GraphLoadError();

// The checks of a record's content: a condition that fails is a load error.
inline void Require(bool condition) {
  if (!condition) GraphLoadError();
}
// v within -bound..bound, and so no NaN.
inline bool InBounds(Extended v, Extended bound) { return v >= -bound && v <= bound; }

class TReadGraphFile {
 public:
  TReadGraphFile();
  ~TReadGraphFile();
  TReadGraphFile(const TReadGraphFile&) = delete;
  TReadGraphFile& operator=(const TReadGraphFile&) = delete;

  // Opens and verifies the file (size, signature, header checksum, version, file
  // checksum) and leaves it positioned at the first content byte.
  bool Open(const std::string& fileName);
  bool Close();
  bool IsOpen() const { return fd_ >= 0; }

  std::int32_t FormatVersion() const { return formatVersion_; }
  std::int32_t GraphKind() const { return graphKind_; }
  const std::string& VersionText() const { return versionText_; }
  // Content bytes not yet read (before the file checksum).
  long long Remaining() const { return size_ - 2 - pos_; }
  // Less content than n bytes left: the file ends before the record does, which says "Error
  // Reading From File" and abandons the load. Counts and lengths are checked so before
  // anything is allocated.
  void RequireContent(long long n) const;

  // Reading past the content is a RequireContent failure; a failing read asks Abort or Retry.
  void ReadRaw(void* buffer, std::size_t n);
  std::uint8_t ReadByte();
  bool ReadBool() { return ReadByte() != 0; }
  std::int16_t ReadInt16();
  std::int32_t ReadInt32();
  TColor ReadColor();
  Extended ReadExtended();
  TFilePoint ReadPoint();
  TFileRect ReadRect();
  // Texts are UTF-8 when the bytes are valid UTF-8, else Latin-1. A text longer than
  // maxLength is a load error.
  std::string ReadLongString(int maxLength);
  std::string ReadShortString(int n);  // reads n + 1 bytes
  TFontDesc ReadFont1();
  TFontDesc ReadFont2();
  void Skip(std::size_t n);
  // A count of records of at least recordBytes each: a negative count, or one above limit,
  // is a load error; one above what the rest of the content can hold a RequireContent failure.
  std::int32_t CheckCount(std::int32_t count, std::int32_t limit, std::size_t recordBytes) const;

 private:
  void ReadFromDisk(void* buffer, std::size_t n);  // n bytes at filePos_, Abort or Retry
  bool Verify(const std::string& fileName);

  int fd_ = -1;
  long long size_ = 0;
  long long pos_ = 0;                 // the next byte handed out
  long long filePos_ = 0;             // the next byte the file gives
  std::vector<std::uint8_t> buffer_;  // read ahead from filePos_ - bufferLen_
  std::size_t bufferPos_ = 0, bufferLen_ = 0;
  std::string versionText_;
  std::int32_t formatVersion_ = 0;
  std::int32_t graphKind_ = 0;
};

class TWriteGraphFile {
 public:
  TWriteGraphFile() = default;
  ~TWriteGraphFile();  // an unfinished file is discarded; the old file stays untouched
  TWriteGraphFile(const TWriteGraphFile&) = delete;
  TWriteGraphFile& operator=(const TWriteGraphFile&) = delete;

  // Checks an existing file, then starts writing beside it: signature, header, header checksum.
  bool Open(const std::string& fileName, std::int32_t graphKind, std::int32_t format = kFileFormatVersion);
  // Writes the file checksum and only then replaces the target file.
  bool Close();
  bool IsOpen() const { return fd_ >= 0; }
  // The same file built in memory: nothing on disk, no question asked.
  void OpenInMemory(std::int32_t graphKind, std::int32_t format = kFileFormatVersion);
  // The whole file written since OpenInMemory, its checksum included.
  std::vector<std::uint8_t> TakeBytes();

  void WriteRaw(const void* buffer, std::size_t n);
  void WriteByte(std::uint8_t value);
  void WriteBool(bool value) { WriteByte(value ? 1 : 0); }
  void WriteInt16(std::int16_t value);
  void WriteInt32(std::int32_t value);
  void WriteColor(TColor value);
  void WriteExtended(Extended value);
  void WritePoint(const TFilePoint& p);
  void WriteRect(const TFileRect& r);
  void WriteLongString(const std::string& text);  // UTF-8
  void WriteFont2(const TFontDesc& font);
  // An extension record: what is written from BeginRecord to EndRecord becomes its body,
  // written after its tag and its length in bytes.
  void BeginRecord(std::int32_t tag);
  void EndRecord();

 private:
  bool CheckExisting(const std::string& fileName);
  bool CreateTemp();
  void Flush();  // the pending bytes to the file, Abort or Retry
  void Abandon();
  void WriteHeader(std::int32_t graphKind, std::int32_t format);

  int fd_ = -1;
  bool inMemory_ = false;
  std::string target_, temp_;
  std::uint16_t checksum_ = 0;
  std::vector<std::uint8_t> pending_;
  long long written_ = 0;  // bytes already in the file
  bool inRecord_ = false;
  std::int32_t recordTag_ = 0;
  std::vector<std::uint8_t> record_;  // the open record's body
};

// The parameters record: the count, then each parameter's name, value, from, to and step.
void WriteParameters(TWriteGraphFile& writer, const TParameterList& parameters);
// Reads it; a count, name, value or range a parameter can not have is a load error.
TParameterList ReadParameters(TReadGraphFile& reader);

}  // namespace plotix
