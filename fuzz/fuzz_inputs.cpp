#include "fuzz_inputs.h"

#include <fcntl.h>
#include <cerrno>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "expr/calculation.h"
#include "files/file_io.h"
#include "platform/canvas.h"
#include "platform/message_box.h"
#include "window/graph_document.h"
#include "window/graph_kinds.h"

namespace plotix {

namespace {

using TBytes = std::vector<std::uint8_t>;

// File operations on files held in memory, so that an input costs no disk access.
class TMemoryFileIO : public TFileIO {
 public:
  int Open(const char* path, int flags, mode_t) override {
    auto file = Files.find(path);
    if (flags & O_CREAT) {
      if (file != Files.end() && (flags & O_EXCL)) return Fail(EEXIST);
      Files[path].clear();
    } else if (file == Files.end()) {
      return Fail(ENOENT);
    }
    open_[next_] = {path, 0};
    return next_++;
  }
  ssize_t Read(int fd, void* buffer, std::size_t n) override {
    auto& [name, pos] = open_.at(fd);
    const TBytes& file = Files[name];
    const std::size_t got = pos < file.size() ? std::min(n, file.size() - pos) : 0;
    std::memcpy(buffer, file.data() + pos, got);
    pos += got;
    return ssize_t(got);
  }
  ssize_t Write(int fd, const void* buffer, std::size_t n) override {
    auto& [name, pos] = open_.at(fd);
    TBytes& file = Files[name];
    file.resize(std::max(file.size(), pos + n));
    std::memcpy(file.data() + pos, buffer, n);
    pos += n;
    return ssize_t(n);
  }
  off_t Seek(int fd, off_t offset) override { return off_t(open_.at(fd).second = std::size_t(offset)); }
  long long Size(int fd) override { return (long long)Files[open_.at(fd).first].size(); }
  int Sync(int) override { return 0; }
  int Close(int fd) override { return open_.erase(fd) ? 0 : Fail(EBADF); }
  int Rename(const char* from, const char* to) override {
    auto file = Files.find(from);
    if (file == Files.end()) return Fail(ENOENT);
    TBytes bytes = std::move(file->second);
    Files.erase(file);
    Files[to] = std::move(bytes);
    return 0;
  }
  int Remove(const char* path) override { return Files.erase(path) ? 0 : Fail(ENOENT); }

  std::map<std::string, TBytes> Files;

 private:
  static int Fail(int error) {
    errno = error;
    return -1;
  }
  std::map<int, std::pair<std::string, std::size_t>> open_;
  int next_ = 1000;
};

class TScopedMemoryFiles {
 public:
  TScopedMemoryFiles() {
    auto io = std::make_unique<TMemoryFileIO>();
    io_ = io.get();
    previous_ = InstallFileIO(std::move(io));
  }
  ~TScopedMemoryFiles() { InstallFileIO(std::move(previous_)); }
  TScopedMemoryFiles(const TScopedMemoryFiles&) = delete;
  TScopedMemoryFiles& operator=(const TScopedMemoryFiles&) = delete;
  TMemoryFileIO* operator->() { return io_; }

 private:
  TMemoryFileIO* io_;
  std::unique_ptr<TFileIO> previous_;
};

constexpr char kSignature[] = "\x25Mathematical Function Graph Data File";
constexpr std::size_t kSignatureSize = 38, kHeaderChecksumAt = 61, kContentAt = 63;

void PutSum(TBytes& bytes, std::size_t end) {
  std::uint16_t sum = 0;
  for (std::size_t i = 0; i < end; ++i) sum = std::uint16_t(sum + bytes[i]);
  bytes[end] = std::uint8_t(sum);
  bytes[end + 1] = std::uint8_t(sum >> 8);
}

// Names no real file is likely to have; the writer checks them on disk as well.
constexpr const char* kInput = "plotix-fuzz-input.pxg";
constexpr const char* kSaved = "plotix-fuzz-saved.pxg";
constexpr const char* kResaved = "plotix-fuzz-resaved.pxg";

}  // namespace

std::string ReplayGraphFile(const std::uint8_t* data, std::size_t size) {
  TBytes bytes(data, data + size);
  if (bytes.size() >= kContentAt) {
    std::memcpy(bytes.data(), kSignature, kSignatureSize);
    PutSum(bytes, kHeaderChecksumAt);
  }
  if (bytes.size() >= kContentAt + 3) PutSum(bytes, bytes.size() - 2);
  TScopedMemoryFiles files;
  TScopedScriptedMessages messages;
  files->Files[kInput] = std::move(bytes);
  const std::unique_ptr<TGraphDoc> doc = OpenGraphDocument(kInput);
  if (!doc) return "";
  TBitmap bitmap(doc->BitmapWidth(), doc->BitmapHeight());
  doc->RenderWithLabels(bitmap);
  if (!doc->SaveGraph(kSaved)) return "a graph that loaded was not saved";
  const std::unique_ptr<TGraphDoc> again = OpenGraphDocument(kSaved);
  if (!again) return "a saved graph did not open" + (messages->shown.empty() ? "" : ": " + messages->shown.back().text);
  if (!again->SaveGraph(kResaved) || files->Files[kResaved] != files->Files[kSaved])
    return "saving a saved graph again changed its file";
  return "";
}

void ReplayExpression(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> fields(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] != '\n')
      fields.back() += char(data[i]);
    else if (fields.size() < 4)
      fields.emplace_back();
  }
  fields.resize(std::max<std::size_t>(fields.size(), 3));
  for (std::string* value : {&fields[1], &fields[2]})
    if (value->empty()) *value = "0";
  Calculate(fields[0], fields[1], fields[2], fields.size() > 3);
}

}  // namespace plotix
