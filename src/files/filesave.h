#pragma once
// Reading and writing graph files: signature, header, the two checksums and every
// primitive of the records. Failures are shown to the user where they happen;
// an Abort (or a failure that can not be retried) raises TGraphFileAbort, which
// abandons the whole load or save.

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/colour.h"
#include "platform/extended.h"
#include "platform/fontdesc.h"

namespace plotix {

// Raised by a reader or writer primitive when the user chose Abort (the message has
// been shown already), and by records that find the file inconsistent.
struct TGraphFileAbort {};

enum TGraphKind : std::int32_t { gk2DCartesian = 1, gkPolar = 2, gk3D = 3 };

constexpr std::int32_t kFileFormatVersion = 2;
constexpr int kFileHeaderEnd = 63;  // first content byte

struct TFilePoint {
  std::int32_t x = 0, y = 0;
};
struct TFileRect {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

class TReadGraphFile {
 public:
  TReadGraphFile() = default;
  ~TReadGraphFile();
  TReadGraphFile(const TReadGraphFile&) = delete;
  TReadGraphFile& operator=(const TReadGraphFile&) = delete;

  // Opens and verifies the file (size, signature, header checksum, version, file
  // checksum) and leaves it positioned at the first content byte.
  bool Open(const std::string& fileName);
  bool Close();
  bool IsOpen() const { return file_ != nullptr; }

  std::int32_t FormatVersion() const { return formatVersion_; }
  std::int32_t GraphKind() const { return graphKind_; }
  const std::string& VersionText() const { return versionText_; }
  // Content bytes not yet read (before the file checksum); records check counts against it.
  long long Remaining() const;

  void ReadRaw(void* buffer, std::size_t n);
  std::uint8_t ReadByte();
  bool ReadBool() { return ReadByte() != 0; }
  std::int16_t ReadInt16();
  std::int32_t ReadInt32();
  TColor ReadColor();
  Extended ReadExtended();
  TFilePoint ReadPoint();
  TFileRect ReadRect();
  // Texts are UTF-8 when the bytes are valid UTF-8, else Latin-1.
  std::string ReadLongString();
  std::string ReadShortString(int n);  // reads n + 1 bytes
  TFontDesc ReadFont1();
  TFontDesc ReadFont2();
  void Skip(std::size_t n);

 private:
  std::FILE* file_ = nullptr;
  long long size_ = 0;
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
  bool Open(const std::string& fileName, std::int32_t graphKind);
  // Writes the file checksum and only then replaces the target file.
  bool Close();

  void WriteRaw(const void* buffer, std::size_t n);
  void WriteByte(std::uint8_t value);
  void WriteBool(bool value) { WriteByte(value ? 1 : 0); }
  void WriteInt32(std::int32_t value);
  void WriteColor(TColor value);
  void WriteExtended(Extended value);
  void WritePoint(const TFilePoint& p);
  void WriteRect(const TFileRect& r);
  void WriteLongString(const std::string& text);  // UTF-8
  void WriteFont2(const TFontDesc& font);

 private:
  std::FILE* file_ = nullptr;
  std::string target_, temp_;
  std::uint16_t checksum_ = 0;
};

}  // namespace plotix
