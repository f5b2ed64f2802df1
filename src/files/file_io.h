#pragma once
// The file operations under the graph file reader and writer. The program uses the
// POSIX ones; tests install their own to make any single step fail.

#include <sys/types.h>

#include <cstddef>
#include <memory>

namespace plotix {

class TFileIO {
 public:
  virtual ~TFileIO() = default;
  // Each answers as its POSIX namesake does: -1 on failure.
  virtual int Open(const char* path, int flags, mode_t mode);
  virtual ssize_t Read(int fd, void* buffer, std::size_t n);
  virtual ssize_t Write(int fd, const void* buffer, std::size_t n);
  virtual off_t Seek(int fd, off_t offset);  // from the start of the file
  virtual long long Size(int fd);
  virtual int Sync(int fd);
  virtual int Close(int fd);
  virtual int Rename(const char* from, const char* to);
  virtual int Remove(const char* path);
};

// The operations in use (the POSIX ones until others are installed).
TFileIO& FileIO();
// Installs operations and returns the previous ones.
std::unique_ptr<TFileIO> InstallFileIO(std::unique_ptr<TFileIO> io);

}  // namespace plotix
