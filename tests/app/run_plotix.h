#pragma once
// Runs the real executable without any display and collects what it printed.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>
#include <string>
#include <utility>
#include <vector>

namespace plotix {

struct TRun {
  std::string out;
  std::string err;
  int status = -1;
};

// extra: environment variables set for the run.
inline TRun RunPlotix(const QStringList& args, const std::vector<std::pair<const char*, std::string>>& extra = {}) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
  for (const auto& [name, value] : extra) env.insert(QString::fromLatin1(name), QString::fromStdString(value));
  process.setProcessEnvironment(env);
  process.start(PLOTIX_EXE, args);
  if (!process.waitForFinished(30000)) {
    process.kill();
    process.waitForFinished();
    ADD_FAILURE() << "plotix did not finish";
  }
  return {process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString(),
          process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1};
}

}  // namespace plotix
