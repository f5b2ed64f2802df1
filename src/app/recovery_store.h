#pragma once
// The recovery files of modified graphs, so that a crash or a power cut loses at most one
// recovery interval of work. Each running program writes its own files in one folder (on
// Linux ~/.local/share/Plotix/recovery): per graph a graph file and an info file beside it
// (the graph's file name, caption and the time). A program holds a lock file while it
// runs; files whose program holds no lock any more are left over from a crash, and the
// next program to find them takes them under that program's lock, so two programs
// running at once never take each other's.

#include <QDateTime>
#include <QString>
#include <QThreadPool>
#include <cstdint>
#include <memory>
#include <vector>

class QLockFile;

namespace plotix {

// A graph a program that ended without a normal exit left behind.
struct TLeftOverGraph {
  QString graphPath;  // the graph file to open
  QString fileName;   // the file the graph belonged to; empty when it never had one
  QString caption;
  QDateTime time;  // of its last recovery write
};

class TRecoveryStore {
 public:
  // Makes the folder and takes this program's lock; without them it writes nothing.
  explicit TRecoveryStore(const QString& folder);
  // Waits for the writes, then removes this program's files and lock: a normal exit.
  ~TRecoveryStore();
  TRecoveryStore(const TRecoveryStore&) = delete;
  TRecoveryStore& operator=(const TRecoveryStore&) = delete;

  // The graph of a window (slot: a number unique in this program's run) written
  // atomically in the background, in the order asked for.
  void Write(int slot, std::vector<std::uint8_t> graph, const QString& fileName, const QString& caption);
  // The window's files removed in the background, after the writes asked for before.
  void Remove(int slot);
  void WaitForWrites();

  // The graphs of every program that holds no lock, newest first; their programs' locks
  // are held until ReleaseLeftOvers.
  std::vector<TLeftOverGraph> TakeLeftOvers();
  // A left-over graph's files removed, after the writes asked for before.
  void Delete(const TLeftOverGraph& graph);
  // The left-over graphs not deleted wait for the next start.
  void ReleaseLeftOvers();

 private:
  QString FilePath(const QString& session, int slot, const char* extension) const;

  QString folder_;
  QString session_;
  std::unique_ptr<QLockFile> lock_;
  std::vector<std::unique_ptr<QLockFile>> takenLocks_;
  QThreadPool writer_;  // one thread: the files change in the order asked for
};

}  // namespace plotix
