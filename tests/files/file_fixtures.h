#pragma once
// Graph files built byte by byte, independently of the writer; a scratch folder per
// test to put them in; file operations that fail on demand.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
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
  TBuilder& Zeros(int n) {
    bytes.insert(bytes.end(), static_cast<std::size_t>(n), 0);
    return *this;
  }
  TBuilder& LStr(const std::string& s) { return I32(static_cast<long long>(s.size())).Raw(s); }
  // A string field of n characters after its length byte; the rest is filler.
  TBuilder& SStr(const std::string& s, int n) {
    Byte(static_cast<int>(s.size())).Raw(s);
    bytes.insert(bytes.end(), static_cast<std::size_t>(n) - s.size(), '#');
    return *this;
  }
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

// Signature, header, header checksum, the content and the file checksum.
inline TBytes GraphFile(const TBytes& content, int version = 2, int kind = 1, const std::string& versionText = "2") {
  TBuilder b;
  b.Byte(37).Raw("Mathematical Function Graph Data File");
  b.Byte(static_cast<int>(versionText.size())).Raw(versionText);
  b.bytes.resize(38 + 11, ' ');
  b.I32(version).I32(kind).I32(0);
  b.I16(Sum(b.bytes, 0, b.bytes.size()));
  b.bytes.insert(b.bytes.end(), content.begin(), content.end());
  b.I16(Sum(b.bytes, 0, b.bytes.size()));
  return b.bytes;
}

// Recomputes the file checksum after the content was changed.
inline void FixChecksum(TBytes& file) {
  const std::uint16_t sum = Sum(file, 0, file.size() - 2);
  file[file.size() - 2] = static_cast<std::uint8_t>(sum);
  file[file.size() - 1] = static_cast<std::uint8_t>(sum >> 8);
}

inline void WriteBytes(const std::string& path, const TBytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
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

// The real operations, except that the nth call (from 1) of one operation and the
// `times - 1` calls after it fail. Installed for the life of the object.
class TFaultyIO : public TFileIO {
 public:
  TFaultyIO(TIoOp op, int nth, int times = 1) : op_(op), nth_(nth), times_(times) {}

  int Open(const char* path, int flags, mode_t mode) override {
    return Fails((flags & O_CREAT) ? TIoOp::OpenCreate : TIoOp::OpenRead) ? -1 : TFileIO::Open(path, flags, mode);
  }
  ssize_t Read(int fd, void* buffer, std::size_t n) override {
    return Fails(TIoOp::Read) ? -1 : TFileIO::Read(fd, buffer, n);
  }
  ssize_t Write(int fd, const void* buffer, std::size_t n) override {
    return Fails(TIoOp::Write) ? -1 : TFileIO::Write(fd, buffer, n);
  }
  off_t Seek(int fd, off_t offset) override { return Fails(TIoOp::Seek) ? -1 : TFileIO::Seek(fd, offset); }
  long long Size(int fd) override { return Fails(TIoOp::Size) ? -1 : TFileIO::Size(fd); }
  int Sync(int fd) override { return Fails(TIoOp::Sync) ? -1 : TFileIO::Sync(fd); }
  // A failed close keeps the file open, so a retry can close it.
  int Close(int fd) override {
    if (Fails(TIoOp::Close)) {
      unclosed_.push_back(fd);
      errno = EIO;
      return -1;
    }
    std::erase(unclosed_, fd);
    return TFileIO::Close(fd);
  }
  ~TFaultyIO() override {
    for (const int fd : unclosed_) TFileIO::Close(fd);
  }
  int Rename(const char* from, const char* to) override {
    return Fails(TIoOp::Rename) ? -1 : TFileIO::Rename(from, to);
  }

  int calls = 0;  // of the failing operation

 private:
  bool Fails(TIoOp op) {
    if (op != op_) return false;
    ++calls;
    if (calls < nth_ || calls >= nth_ + times_) return false;
    errno = EIO;
    return true;
  }

  TIoOp op_;
  int nth_, times_;
  std::vector<int> unclosed_;
};

class TScopedFaultyIO {
 public:
  TScopedFaultyIO(TIoOp op, int nth, int times = 1) {
    auto io = std::make_unique<TFaultyIO>(op, nth, times);
    io_ = io.get();
    previous_ = InstallFileIO(std::move(io));
  }
  ~TScopedFaultyIO() { InstallFileIO(std::move(previous_)); }
  TScopedFaultyIO(const TScopedFaultyIO&) = delete;
  TScopedFaultyIO& operator=(const TScopedFaultyIO&) = delete;
  TFaultyIO* operator->() { return io_; }

 private:
  TFaultyIO* io_;
  std::unique_ptr<TFileIO> previous_;
};

// Open file descriptors of the process, to show that nothing is left open.
inline int OpenDescriptors() {
  int n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
  return n;
}

}  // namespace plotix::testbytes
