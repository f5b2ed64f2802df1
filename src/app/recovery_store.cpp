#include "app/recovery_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSaveFile>
#include <QSettings>
#include <algorithm>
#include <cstdio>

namespace plotix {

namespace {

constexpr char kGraphExtension[] = "pxg";
constexpr char kInfoExtension[] = "info";
constexpr char kLockExtension[] = "lock";

// A lock for as long as the program runs: only a dead owner makes it stale.
std::unique_ptr<QLockFile> TakeLock(const QString& path) {
  auto lock = std::make_unique<QLockFile>(path);
  lock->setStaleLockTime(0);
  return lock->tryLock(0) ? std::move(lock) : nullptr;
}

bool WriteAtomically(const QString& path, const char* data, qint64 size) {
  QSaveFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(data, size) == size && file.commit();
}

}  // namespace

TRecoveryStore::TRecoveryStore(const QString& folder) : folder_(folder) {
  writer_.setMaxThreadCount(1);
  // The process number and the start time: a number the system gave out again names
  // another session.
  session_ = QStringLiteral("%1-%2").arg(QCoreApplication::applicationPid()).arg(QDateTime::currentMSecsSinceEpoch());
  if (QDir().mkpath(folder_)) lock_ = TakeLock(FilePath(session_, -1, kLockExtension));
}

TRecoveryStore::~TRecoveryStore() {
  writer_.waitForDone();
  if (!lock_) return;
  QDir dir(folder_);
  for (const QString& name : dir.entryList({session_ + "_*"}, QDir::Files)) dir.remove(name);
  lock_->unlock();
}

QString TRecoveryStore::FilePath(const QString& session, int slot, const char* extension) const {
  const QString base = slot < 0 ? session : QStringLiteral("%1_%2").arg(session).arg(slot);
  return folder_ + '/' + base + '.' + QLatin1String(extension);
}

void TRecoveryStore::Write(int slot, std::vector<std::uint8_t> graph, const QString& fileName, const QString& caption) {
  if (!lock_) return;
  const QString graphPath = FilePath(session_, slot, kGraphExtension);
  const QString infoPath = FilePath(session_, slot, kInfoExtension);
  writer_.start([graph = std::move(graph), graphPath, infoPath, fileName, caption] {
    // The info file, written last, tells that the graph file beside it is whole.
    if (!WriteAtomically(graphPath, reinterpret_cast<const char*>(graph.data()), qint64(graph.size()))) return;
    QSettings info(infoPath + ".new", QSettings::IniFormat);
    info.setValue("fileName", fileName);
    info.setValue("caption", caption);
    info.setValue("time", QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs));
    info.sync();
    if (info.status() == QSettings::NoError)
      std::rename(QFile::encodeName(infoPath + ".new").constData(), QFile::encodeName(infoPath).constData());
  });
}

void TRecoveryStore::Remove(int slot) {
  if (!lock_) return;
  const QString infoPath = FilePath(session_, slot, kInfoExtension);
  const QString graphPath = FilePath(session_, slot, kGraphExtension);
  writer_.start([infoPath, graphPath] {
    QFile::remove(infoPath);
    QFile::remove(graphPath);
  });
}

void TRecoveryStore::WaitForWrites() { writer_.waitForDone(); }

std::vector<TLeftOverGraph> TRecoveryStore::TakeLeftOvers() {
  std::vector<TLeftOverGraph> graphs;
  if (!lock_) return graphs;
  QDir dir(folder_);
  QStringList sessions;
  for (const QString& name : dir.entryList({QStringLiteral("*_*")}, QDir::Files)) {
    const QString session = name.section('_', 0, 0);
    if (session != session_ && !sessions.contains(session)) sessions << session;
  }
  for (const QString& session : sessions) {
    std::unique_ptr<QLockFile> lock = TakeLock(FilePath(session, -1, kLockExtension));
    if (!lock) continue;  // its program still runs
    takenLocks_.push_back(std::move(lock));
    QStringList whole;
    for (const QString& name : dir.entryList({session + "_*." + kInfoExtension}, QDir::Files)) {
      const QSettings info(dir.filePath(name), QSettings::IniFormat);
      const QString graphName = name.chopped(int(sizeof kInfoExtension) - 1) + kGraphExtension;
      TLeftOverGraph graph{dir.filePath(graphName), info.value("fileName").toString(), info.value("caption").toString(),
                           QDateTime::fromString(info.value("time").toString(), Qt::ISODateWithMs)};
      if (!QFile::exists(graph.graphPath) || !graph.time.isValid()) continue;
      graphs.push_back(graph);
      whole << name << graphName;
    }
    // What a write cut short left: a graph file without its info, an unfinished info.
    for (const QString& name : dir.entryList({session + "_*"}, QDir::Files))
      if (!whole.contains(name)) dir.remove(name);
  }
  std::stable_sort(graphs.begin(), graphs.end(), [](const auto& a, const auto& b) { return a.time > b.time; });
  return graphs;
}

void TRecoveryStore::Delete(const TLeftOverGraph& graph) {
  const QString infoPath = graph.graphPath.chopped(int(sizeof kGraphExtension) - 1) + kInfoExtension;
  writer_.start([infoPath, graphPath = graph.graphPath] {
    QFile::remove(infoPath);
    QFile::remove(graphPath);
  });
}

void TRecoveryStore::ReleaseLeftOvers() {
  writer_.waitForDone();
  takenLocks_.clear();  // each unlocks and removes its lock file
}

}  // namespace plotix
