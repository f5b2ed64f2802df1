#include "files/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace plotix {

namespace {
std::unique_ptr<TFileIO>& Installed() {
  static std::unique_ptr<TFileIO> io = std::make_unique<TFileIO>();
  return io;
}
}  // namespace

int TFileIO::Open(const char* path, int flags, mode_t mode) {
  int fd;
  do fd = ::open(path, flags | O_CLOEXEC, mode);
  while (fd < 0 && errno == EINTR);
  return fd;
}

ssize_t TFileIO::Read(int fd, void* buffer, std::size_t n) {
  ssize_t got;
  do got = ::read(fd, buffer, n);
  while (got < 0 && errno == EINTR);
  return got;
}

ssize_t TFileIO::Write(int fd, const void* buffer, std::size_t n) {
  ssize_t put;
  do put = ::write(fd, buffer, n);
  while (put < 0 && errno == EINTR);
  return put;
}

off_t TFileIO::Seek(int fd, off_t offset) { return ::lseek(fd, offset, SEEK_SET); }

long long TFileIO::Size(int fd) {
  struct stat st;
  if (::fstat(fd, &st) != 0) return -1;
  return S_ISREG(st.st_mode) ? st.st_size : 0;  // a pipe or device is never a graph file
}

int TFileIO::Sync(int fd) { return ::fsync(fd); }
int TFileIO::Close(int fd) { return ::close(fd); }
int TFileIO::Rename(const char* from, const char* to) { return std::rename(from, to); }
int TFileIO::Remove(const char* path) { return ::unlink(path); }

TFileIO& FileIO() { return *Installed(); }

std::unique_ptr<TFileIO> InstallFileIO(std::unique_ptr<TFileIO> io) {
  std::swap(Installed(), io);
  return io;
}

}  // namespace plotix
