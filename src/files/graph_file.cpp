#include "files/graph_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <set>
#include <utility>

#include "files/file_io.h"
#include "platform/limits.h"
#include "platform/message_box.h"

namespace plotix {

namespace {

constexpr char kSignatureText[] = "Mathematical Function Graph Data File";
constexpr std::size_t kSignatureSize = 38;
constexpr std::size_t kHeaderSize = 23;
constexpr std::size_t kVerifyPiece = 1024;
constexpr std::size_t kReadBuffer = 16384;
constexpr std::size_t kWriteBuffer = 65536;
constexpr std::size_t kSkipPiece = 16;

constexpr const char* kNotGraphFile = "File is not a Plotix data file, and can not be opened.";
constexpr const char* kCorrupted = "Error In File; File Data Is Corrupted";

std::array<std::uint8_t, kSignatureSize> Signature() {
  std::array<std::uint8_t, kSignatureSize> s{};
  s[0] = kSignatureSize - 1;
  std::memcpy(s.data() + 1, kSignatureText, kSignatureSize - 1);
  return s;
}

std::uint16_t AddToSum(std::uint16_t sum, const std::uint8_t* bytes, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) sum = static_cast<std::uint16_t>(sum + bytes[i]);
  return sum;
}

void ShowError(const char* text) { ShowMessage(TMsgKind::Error, text, TMsgButtons::OK); }

// True when the user chose Retry.
bool AskRetry(const char* text) {
  return ShowMessage(TMsgKind::Error, text, TMsgButtons::AbortRetry) == TMsgAnswer::Retry;
}

bool ValidUtf8(const std::string& s) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  const auto* end = p + s.size();
  while (p < end) {
    const unsigned c = *p++;
    if (c < 0x80) continue;
    int more;
    unsigned code;
    if (c >= 0xC2 && c <= 0xDF)
      more = 1, code = c & 0x1F;
    else if (c >= 0xE0 && c <= 0xEF)
      more = 2, code = c & 0x0F;
    else if (c >= 0xF0 && c <= 0xF4)
      more = 3, code = c & 0x07;
    else
      return false;
    if (end - p < more) return false;
    for (int i = 0; i < more; ++i) {
      if ((p[i] & 0xC0) != 0x80) return false;
      code = (code << 6) | (p[i] & 0x3F);
    }
    p += more;
    const unsigned least = more == 1 ? 0x80 : more == 2 ? 0x800 : 0x10000;
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
  }
  return true;
}

// Files written before texts were UTF-8 hold Latin-1.
std::string DecodeText(std::string bytes) {
  if (ValidUtf8(bytes)) return bytes;
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const unsigned char c : bytes) {
    if (c < 0x80) {
      text += static_cast<char>(c);
    } else {
      text += static_cast<char>(0xC0 | (c >> 6));
      text += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return text;
}

std::uint16_t Word16(const std::uint8_t* b) { return static_cast<std::uint16_t>(b[0] | (b[1] << 8)); }
std::int32_t Int32At(const std::uint8_t* b) {
  return static_cast<std::int32_t>(std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) | (std::uint32_t(b[2]) << 16) |
                                   (std::uint32_t(b[3]) << 24));
}

// Saving through a symbolic link writes the file the link names, whether that exists yet
// or not, and keeps the link. Links are followed as the system follows them; a loop stays
// a link, which then can not be written.
std::string LinkTarget(const std::string& fileName) {
  namespace fs = std::filesystem;
  fs::path name = fileName;
  std::error_code error;
  for (int hop = 0; hop < 40 && fs::is_symlink(name, error); ++hop) {
    const fs::path link = fs::read_symlink(name, error);
    if (error) break;
    name = link.is_absolute() ? link : name.parent_path() / link;
  }
  return name.string();
}

}  // namespace

namespace {
std::set<std::int32_t>& ClaimedTags() {
  static std::set<std::int32_t> tags{tagParameters, tagFunctionNames, tagHiddenFunctions};
  return tags;
}
}  // namespace

bool ClaimRecordTag(std::int32_t tag) { return ClaimedTags().insert(tag).second; }

void ReleaseRecordTag(std::int32_t tag) { ClaimedTags().erase(tag); }

bool IsClaimedRecordTag(std::int32_t tag) { return ClaimedTags().count(tag) != 0; }

void GraphLoadError() {
  ShowError("Error Loading File");
  throw TGraphFileAbort{};
}

// ---- reader -----------------------------------------------------------------

TReadGraphFile::TReadGraphFile() : buffer_(kReadBuffer) {}

TReadGraphFile::~TReadGraphFile() {
  if (fd_ >= 0) FileIO().Close(fd_);
}

bool TReadGraphFile::Open(const std::string& fileName) {
  if (IsOpen()) Close();
  formatVersion_ = graphKind_ = 0;
  versionText_.clear();
  if (fileName.empty()) return false;
  if (Verify(fileName)) return true;
  if (IsOpen()) Close();
  formatVersion_ = graphKind_ = 0;
  versionText_.clear();
  return false;
}

bool TReadGraphFile::Verify(const std::string& fileName) {
  TFileIO& io = FileIO();
  if (fileName.find('\0') != std::string::npos) {
    ShowError("Error Opening File");
    return false;
  }
  while ((fd_ = io.Open(fileName.c_str(), O_RDONLY | O_NONBLOCK, 0)) < 0)
    if (!AskRetry("Error Opening File")) return false;
  size_ = io.Size(fd_);
  if (size_ < 0) {
    ShowError("Error Reading File Size");
    return false;
  }
  if (size_ < kMinGraphFileSize) {
    ShowError(kNotGraphFile);
    return false;
  }
  filePos_ = 0;
  try {
    std::uint8_t head[kFileHeaderEnd];
    ReadFromDisk(head, kSignatureSize);
    if (std::memcmp(head, Signature().data(), kSignatureSize) != 0) {
      ShowError(kNotGraphFile);
      return false;
    }
    ReadFromDisk(head + kSignatureSize, kHeaderSize + 2);
    std::uint16_t sum = AddToSum(0, head, kSignatureSize + kHeaderSize);
    if (Word16(head + kSignatureSize + kHeaderSize) != sum) {
      ShowError(kCorrupted);
      return false;
    }
    sum = AddToSum(sum, head + kSignatureSize + kHeaderSize, 2);

    const std::uint8_t* header = head + kSignatureSize;
    const int textLength = header[0];
    const std::int32_t version = Int32At(header + 11);
    if (version < 1 || version > kNewestFileFormat) {
      if (textLength < 1 || textLength > 10) {
        ShowError(kCorrupted);
      } else {
        const std::string text = DecodeText(std::string(reinterpret_cast<const char*>(header + 1), textLength));
        ShowMessage(TMsgKind::Error, "File Created By Version Number " + text + ", And Can Not Be Read By This Version",
                    TMsgButtons::OK);
      }
      return false;
    }
    versionText_ = DecodeText(std::string(reinterpret_cast<const char*>(header + 1), std::min(textLength, 10)));
    formatVersion_ = version;
    graphKind_ = Int32At(header + 15);

    std::uint8_t piece[kVerifyPiece];
    for (long long left = size_ - kMinGraphFileSize + 1; left > 0;) {
      const std::size_t n = static_cast<std::size_t>(std::min<long long>(left, kVerifyPiece));
      ReadFromDisk(piece, n);
      sum = AddToSum(sum, piece, n);
      left -= static_cast<long long>(n);
    }
    ReadFromDisk(piece, 2);
    if (Word16(piece) != sum) {
      ShowError(kCorrupted);
      return false;
    }
  } catch (const TGraphFileAbort&) {
    return false;  // the read has reported already
  }
  if (io.Seek(fd_, kFileHeaderEnd) != kFileHeaderEnd) {
    ShowError("Error Reading From File");
    return false;
  }
  pos_ = filePos_ = kFileHeaderEnd;
  bufferPos_ = bufferLen_ = 0;
  return true;
}

bool TReadGraphFile::Close() {
  if (fd_ < 0) return true;
  bool closed = true;
  while (FileIO().Close(fd_) != 0) {
    if (!AskRetry("Error Closing File")) {
      closed = false;
      break;
    }
  }
  fd_ = -1;
  return closed;
}

void TReadGraphFile::ReadFromDisk(void* buffer, std::size_t n) {
  TFileIO& io = FileIO();
  auto* out = static_cast<std::uint8_t*>(buffer);
  std::size_t done = 0;
  bool reposition = false;
  while (done < n) {
    ssize_t got = -1;
    if (!reposition || io.Seek(fd_, filePos_) == filePos_) got = io.Read(fd_, out + done, n - done);
    if (got > 0) {
      done += static_cast<std::size_t>(got);
      filePos_ += got;
      reposition = false;
      continue;
    }
    if (!AskRetry("Error Reading From File")) throw TGraphFileAbort{};
    reposition = true;
  }
}

// The bytes are missing, not unreadable: no retry could bring them.
void TReadGraphFile::RequireContent(long long n) const {
  if (n <= Remaining()) return;
  ShowError("Error Reading From File");
  throw TGraphFileAbort{};
}

void TReadGraphFile::ReadRaw(void* buffer, std::size_t n) {
  RequireContent(static_cast<long long>(n));
  auto* out = static_cast<std::uint8_t*>(buffer);
  pos_ += static_cast<long long>(n);
  while (n > 0) {
    if (bufferPos_ == bufferLen_) {
      const long long contentLeft = size_ - 2 - filePos_;
      if (n >= buffer_.size()) {  // a large block goes straight through
        ReadFromDisk(out, n);
        return;
      }
      const auto want = static_cast<std::size_t>(std::min<long long>(contentLeft, buffer_.size()));
      ReadFromDisk(buffer_.data(), want);
      bufferPos_ = 0;
      bufferLen_ = want;
    }
    const std::size_t take = std::min(n, bufferLen_ - bufferPos_);
    std::memcpy(out, buffer_.data() + bufferPos_, take);
    bufferPos_ += take;
    out += take;
    n -= take;
  }
}

std::uint8_t TReadGraphFile::ReadByte() {
  std::uint8_t b;
  ReadRaw(&b, 1);
  return b;
}

std::int16_t TReadGraphFile::ReadInt16() {
  std::uint8_t b[2];
  ReadRaw(b, 2);
  return static_cast<std::int16_t>(Word16(b));
}

std::int32_t TReadGraphFile::ReadInt32() {
  std::uint8_t b[4];
  ReadRaw(b, 4);
  return Int32At(b);
}

TColor TReadGraphFile::ReadColor() { return static_cast<TColor>(ReadInt32()); }

Extended TReadGraphFile::ReadExtended() {
  ExtendedBytes b;
  ReadRaw(b.data(), b.size());
  return DecodeExtended(b);
}

TFilePoint TReadGraphFile::ReadPoint() {
  TFilePoint p;
  p.x = ReadInt32();
  p.y = ReadInt32();
  return p;
}

TFileRect TReadGraphFile::ReadRect() {
  const TFilePoint a = ReadPoint();
  const TFilePoint b = ReadPoint();
  return {a.x, a.y, b.x, b.y};
}

std::string TReadGraphFile::ReadLongString(int maxLength) {
  const std::int32_t n = ReadInt32();
  if (n <= 0) return {};
  if (n > maxLength) GraphLoadError();
  RequireContent(n);
  std::string bytes(static_cast<std::size_t>(n), '\0');
  ReadRaw(bytes.data(), bytes.size());
  return DecodeText(std::move(bytes));
}

std::string TReadGraphFile::ReadShortString(int n) {
  std::string field(static_cast<std::size_t>(n) + 1, '\0');
  ReadRaw(field.data(), field.size());
  const int length = static_cast<std::uint8_t>(field[0]);
  if (length > n) GraphLoadError();
  return DecodeText(field.substr(1, static_cast<std::size_t>(length)));
}

namespace {
TFontDesc CheckedFont(std::string name, TColor color, std::uint8_t style, std::int32_t size) {
  if (size < kMinFontSize || size > kMaxFontSize) GraphLoadError();
  TFontDesc font;
  font.name = std::move(name);
  font.color = color;
  font.style = style & (fsBold | fsItalic | fsUnderline | fsStrikeOut);
  font.size = size;
  return font;
}
}  // namespace

TFontDesc TReadGraphFile::ReadFont1() {
  std::string name = ReadShortString(31);
  const TColor color = ReadColor();
  const std::uint8_t style = ReadByte();
  return CheckedFont(std::move(name), color, style, ReadInt16());
}

TFontDesc TReadGraphFile::ReadFont2() {
  std::string name = ReadLongString(kMaxFontNameLength);
  const TColor color = ReadColor();
  const std::uint8_t style = ReadByte();
  return CheckedFont(std::move(name), color, style, ReadInt32());
}

void TReadGraphFile::Skip(std::size_t n) {
  std::uint8_t scrap[kSkipPiece];
  while (n > 0) {
    const std::size_t piece = std::min(n, kSkipPiece);
    ReadRaw(scrap, piece);
    n -= piece;
  }
}

std::int32_t TReadGraphFile::CheckCount(std::int32_t count, std::int32_t limit, std::size_t recordBytes) const {
  if (count < 0 || count > limit) GraphLoadError();
  RequireContent(static_cast<long long>(count) * static_cast<long long>(recordBytes));
  return count;
}

// ---- writer -----------------------------------------------------------------

TWriteGraphFile::~TWriteGraphFile() { Abandon(); }

void TWriteGraphFile::Abandon() {
  if (fd_ >= 0) FileIO().Close(fd_);
  if (!temp_.empty()) FileIO().Remove(temp_.c_str());
  fd_ = -1;
  temp_.clear();
  pending_.clear();
  written_ = 0;
  inMemory_ = false;
  inRecord_ = false;
  record_.clear();
}

bool TWriteGraphFile::Open(const std::string& fileName, std::int32_t graphKind, std::int32_t format) {
  checksum_ = 0;
  Abandon();
  if (fileName.empty() || !CheckExisting(fileName)) return false;
  if (fileName.find('\0') != std::string::npos) {
    ShowError("Error Creating File");
    return false;
  }
  target_ = LinkTarget(fileName);
  if (!CreateTemp()) return false;
  WriteHeader(graphKind, format);
  return true;
}

void TWriteGraphFile::OpenInMemory(std::int32_t graphKind, std::int32_t format) {
  checksum_ = 0;
  Abandon();
  inMemory_ = true;
  WriteHeader(graphKind, format);
}

std::vector<std::uint8_t> TWriteGraphFile::TakeBytes() {
  pending_.push_back(static_cast<std::uint8_t>(checksum_));
  pending_.push_back(static_cast<std::uint8_t>(checksum_ >> 8));
  inMemory_ = false;
  return std::exchange(pending_, {});
}

void TWriteGraphFile::WriteHeader(std::int32_t graphKind, std::int32_t format) {
  const auto signature = Signature();
  WriteRaw(signature.data(), signature.size());
  std::uint8_t versionText[11];
  std::memset(versionText, ' ', sizeof versionText);
  versionText[0] = 1;
  versionText[1] = static_cast<std::uint8_t>('0' + format);
  WriteRaw(versionText, sizeof versionText);
  WriteInt32(format);
  WriteInt32(graphKind);
  WriteInt32(0);
  const std::uint8_t headerSum[2] = {static_cast<std::uint8_t>(checksum_), static_cast<std::uint8_t>(checksum_ >> 8)};
  WriteRaw(headerSum, 2);
}

bool TWriteGraphFile::CheckExisting(const std::string& fileName) {
  if (fileName.find('\0') != std::string::npos) return true;  // can not name an existing file
  TFileIO& io = FileIO();
  const int fd = io.Open(fileName.c_str(), O_RDONLY | O_NONBLOCK, 0);
  if (fd < 0) return true;
  bool isGraph = false;
  const long long size = io.Size(fd);
  bool failed = size < 0;
  if (!failed && size >= kMinGraphFileSize) {
    std::uint8_t head[kSignatureSize];
    std::size_t done = 0;
    while (!failed && done < kSignatureSize) {
      const ssize_t got = io.Read(fd, head + done, kSignatureSize - done);
      if (got > 0)
        done += static_cast<std::size_t>(got);
      else
        failed = true;
    }
    isGraph = !failed && std::memcmp(head, Signature().data(), kSignatureSize) == 0;
  }
  if (failed) {
    ShowError("Error Verifying Existing File Type");
    io.Close(fd);
    return false;
  }
  while (io.Close(fd) != 0)
    if (!AskRetry("Error Closing Existing File")) return false;
  return isGraph || ShowMessage(TMsgKind::Warning, "Existing File Is Not A Plotix Data File, Do You Want To Overwrite?",
                                TMsgButtons::OKCancel) == TMsgAnswer::OK;
}

bool TWriteGraphFile::CreateTemp() {
  static unsigned serial = 0;
  TFileIO& io = FileIO();
  for (;;) {
    // A write-protected file is not replaced behind its owner's back.
    if (::access(target_.c_str(), W_OK) == 0 || errno == ENOENT) {
      for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temp_ = target_ + "." + std::to_string(::getpid()) + "-" + std::to_string(++serial) + ".tmp";
        fd_ = io.Open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
        if (fd_ < 0 && errno != EEXIST) break;
      }
      if (fd_ >= 0) break;
    }
    temp_.clear();
    if (!AskRetry("Error Creating File")) return false;
  }
  struct stat st;
  if (::stat(target_.c_str(), &st) == 0) ::fchmod(fd_, st.st_mode & 07777);
  return true;
}

void TWriteGraphFile::Flush() {
  TFileIO& io = FileIO();
  std::size_t done = 0;
  bool reposition = false;
  while (done < pending_.size()) {
    ssize_t put = -1;
    if (!reposition || io.Seek(fd_, written_) == written_)
      put = io.Write(fd_, pending_.data() + done, pending_.size() - done);
    if (put > 0) {
      done += static_cast<std::size_t>(put);
      written_ += put;
      reposition = false;
      continue;
    }
    if (!AskRetry("Error Writing To File")) {
      Abandon();  // nothing more goes to this file
      throw TGraphFileAbort{};
    }
    reposition = true;
  }
  pending_.clear();
}

bool TWriteGraphFile::Close() {
  if (fd_ < 0) return false;
  TFileIO& io = FileIO();
  try {
    pending_.push_back(static_cast<std::uint8_t>(checksum_));
    pending_.push_back(static_cast<std::uint8_t>(checksum_ >> 8));
    Flush();
    while (io.Sync(fd_) != 0)
      if (!AskRetry("Error Writing To File")) throw TGraphFileAbort{};
  } catch (const TGraphFileAbort&) {
    Abandon();
    return false;
  }
  bool closed = true;
  while (io.Close(fd_) != 0) {
    if (!AskRetry("Error Closing File")) {
      closed = false;
      break;
    }
  }
  fd_ = -1;
  if (closed) {
    while (io.Rename(temp_.c_str(), target_.c_str()) != 0) {
      if (!AskRetry("Error Creating File")) {
        closed = false;
        break;
      }
    }
  }
  if (closed) temp_.clear();
  Abandon();  // removes the temporary file when it was not renamed
  return closed;
}

void TWriteGraphFile::WriteRaw(const void* buffer, std::size_t n) {
  const auto* bytes = static_cast<const std::uint8_t*>(buffer);
  if (inRecord_) {
    record_.insert(record_.end(), bytes, bytes + n);
    return;
  }
  pending_.insert(pending_.end(), bytes, bytes + n);
  checksum_ = AddToSum(checksum_, bytes, n);
  if (!inMemory_ && pending_.size() >= kWriteBuffer) Flush();
}

void TWriteGraphFile::WriteByte(std::uint8_t value) { WriteRaw(&value, 1); }

void TWriteGraphFile::BeginRecord(std::int32_t tag) {
  inRecord_ = true;
  recordTag_ = tag;
  record_.clear();
}

void TWriteGraphFile::EndRecord() {
  inRecord_ = false;
  const std::vector<std::uint8_t> body = std::exchange(record_, {});
  WriteInt32(recordTag_);
  WriteInt32(static_cast<std::int32_t>(body.size()));
  WriteRaw(body.data(), body.size());
}

void TWriteGraphFile::WriteInt16(std::int16_t value) {
  const auto u = static_cast<std::uint16_t>(value);
  const std::uint8_t b[2] = {static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8)};
  WriteRaw(b, 2);
}

void TWriteGraphFile::WriteInt32(std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  const std::uint8_t b[4] = {static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8),
                             static_cast<std::uint8_t>(u >> 16), static_cast<std::uint8_t>(u >> 24)};
  WriteRaw(b, 4);
}

void TWriteGraphFile::WriteColor(TColor value) { WriteInt32(static_cast<std::int32_t>(value)); }

void TWriteGraphFile::WriteExtended(Extended value) {
  const ExtendedBytes b = EncodeExtended(value);
  WriteRaw(b.data(), b.size());
}

void TWriteGraphFile::WritePoint(const TFilePoint& p) {
  WriteInt32(p.x);
  WriteInt32(p.y);
}

void TWriteGraphFile::WriteRect(const TFileRect& r) {
  WritePoint({r.left, r.top});
  WritePoint({r.right, r.bottom});
}

void TWriteGraphFile::WriteLongString(const std::string& text) {
  WriteInt32(static_cast<std::int32_t>(std::min<std::size_t>(text.size(), INT32_MAX)));
  WriteRaw(text.data(), std::min<std::size_t>(text.size(), INT32_MAX));
}

void TWriteGraphFile::WriteFont2(const TFontDesc& font) {
  WriteLongString(font.name);
  WriteColor(font.color);
  WriteByte(font.style);
  WriteInt32(font.size);
}

}  // namespace plotix
