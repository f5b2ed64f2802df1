#pragma once
// Graph files built byte by byte, independently of the writer; a scratch folder per test to
// put them in; file operations that fail on demand.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "files/file_io.h"
#include "platform/extended.h"

namespace plotix::testbytes {

using TBytes = std::vector<std::uint8_t>;

class TBuilder {
 public:
  TBuilder& Byte(int v) {
    bytes.push_back(static_cast<std::uint8_t>(v));
    return *this;
  }
  TBuilder& I16(int v) { return Byte(v).Byte(v >> 8); }
  TBuilder& I32(long long v) { return I16(static_cast<int>(v)).I16(static_cast<int>(v >> 16)); }
  TBuilder& Ext(Extended v) {
    for (const auto b : EncodeExtended(v)) Byte(b);
    return *this;
  }
  TBuilder& Raw(const std::string& s) {
    bytes.insert(bytes.end(), s.begin(), s.end());
    return *this;
  }
  TBuilder& Zeros(int n) { return Raw(std::string(n, '\0')); }
  TBuilder& LStr(const std::string& s) { return I32(static_cast<long long>(s.size())).Raw(s); }
  // A string field of n characters after its length byte; the rest is filler.
  TBuilder& SStr(const std::string& s, int n) { return Byte(int(s.size())).Raw(s).Raw(std::string(n - s.size(), '#')); }
  TBuilder& Font2(const std::string& name, std::uint32_t color, int style, int size) {
    return LStr(name).I32(color).Byte(style).I32(size);
  }
  TBuilder& Font1(const std::string& name, std::uint32_t color, int style, int size) {
    return SStr(name, 31).I32(color).Byte(style).I16(size);
  }

  TBytes bytes;
};

inline std::uint16_t Sum(const TBytes& b, std::size_t from, std::size_t to) {
  std::uint16_t sum = 0;
  for (std::size_t i = from; i < to; ++i) sum = static_cast<std::uint16_t>(sum + b[i]);
  return sum;
}

// Puts the checksum of bytes [0, at) at `at`.
inline void PutSum(TBytes& b, std::size_t at) {
  const std::uint16_t sum = Sum(b, 0, at);
  b[at] = static_cast<std::uint8_t>(sum);
  b[at + 1] = static_cast<std::uint8_t>(sum >> 8);
}
inline void FixChecksum(TBytes& file) { PutSum(file, file.size() - 2); }

// The file with a record after its labels, before its checksum: tag, length, body.
inline TBytes WithRecord(TBytes file, std::int32_t tag, std::int32_t length, const TBytes& body) {
  TBuilder b;
  b.I32(tag).I32(length).bytes.insert(b.bytes.end(), body.begin(), body.end());
  file.insert(file.end() - 2, b.bytes.begin(), b.bytes.end());
  return file;
}
inline TBytes WithRecord(TBytes file, std::int32_t tag, const TBytes& body) {
  return WithRecord(std::move(file), tag, std::int32_t(body.size()), body);
}

// Signature, header, header checksum, the content and the file checksum.
inline TBytes GraphFile(const TBytes& content, int version = 2, int kind = 1, const std::string& versionText = "2") {
  TBuilder b;
  b.Byte(37).Raw("Mathematical Function Graph Data File").Byte(int(versionText.size())).Raw(versionText);
  b.bytes.resize(38 + 11, ' ');
  b.I32(version).I32(kind).I32(0).I16(Sum(b.bytes, 0, b.bytes.size()));
  b.bytes.insert(b.bytes.end(), content.begin(), content.end());
  return b.I16(Sum(b.bytes, 0, b.bytes.size())).bytes;
}

inline void WriteBytes(const std::string& path, const TBytes& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline TBytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return TBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A fresh folder, removed with everything in it at the end of the test.
class TScratchDir {
 public:
  TScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "plotix-files-XXXXXX").string();
    dir_ = ::mkdtemp(pattern.data());
  }
  ~TScratchDir() { std::filesystem::remove_all(dir_); }
  TScratchDir(const TScratchDir&) = delete;
  TScratchDir& operator=(const TScratchDir&) = delete;

  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  // The names in the folder, to show that no temporary file is left behind.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::string dir_;
};

enum class TIoOp { OpenRead, OpenCreate, Read, Write, Seek, Size, Sync, Close, Rename };

// The real operations, except that the nth call (from 1) of one operation fails, for the
// life of the object. A failed close keeps the file open, so a retry can close it.
class TScopedFaultyIO : public TFileIO {
 public:
  TScopedFaultyIO(TIoOp op, int nth) : op_(op), nth_(nth) { previous_ = InstallFileIO(std::unique_ptr<TFileIO>(this)); }
  ~TScopedFaultyIO() override {
    for (const int fd : unclosed_) TFileIO::Close(fd);
    InstallFileIO(std::move(previous_)).release();  // this object, not owned by itself
  }
  TScopedFaultyIO(const TScopedFaultyIO&) = delete;
  TScopedFaultyIO& operator=(const TScopedFaultyIO&) = delete;

  int Open(const char* path, int flags, mode_t mode) override {
    return Fails((flags & O_CREAT) ? TIoOp::OpenCreate : TIoOp::OpenRead) ? -1 : TFileIO::Open(path, flags, mode);
  }
  ssize_t Read(int fd, void* b, std::size_t n) override { return Fails(TIoOp::Read) ? -1 : TFileIO::Read(fd, b, n); }
  ssize_t Write(int fd, const void* b, std::size_t n) override {
    return Fails(TIoOp::Write) ? -1 : TFileIO::Write(fd, b, n);
  }
  off_t Seek(int fd, off_t offset) override { return Fails(TIoOp::Seek) ? -1 : TFileIO::Seek(fd, offset); }
  long long Size(int fd) override { return Fails(TIoOp::Size) ? -1 : TFileIO::Size(fd); }
  int Sync(int fd) override { return Fails(TIoOp::Sync) ? -1 : TFileIO::Sync(fd); }
  int Close(int fd) override {
    if (Fails(TIoOp::Close)) return unclosed_.push_back(fd), -1;
    std::erase(unclosed_, fd);
    return TFileIO::Close(fd);
  }
  int Rename(const char* from, const char* to) override {
    return Fails(TIoOp::Rename) ? -1 : TFileIO::Rename(from, to);
  }

 private:
  bool Fails(TIoOp op) {
    if (op != op_ || ++calls_ != nth_) return false;
    errno = EIO;
    return true;
  }

  TIoOp op_;
  int nth_, calls_ = 0;
  std::vector<int> unclosed_;
  std::unique_ptr<TFileIO> previous_;
};

}  // namespace plotix::testbytes
