#pragma once
// GUI tests drive modal dialogs and message boxes from inside their event loop.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace plotix {

// Runs `act` on the next modal widget once its event loop is running; `act` must close it.
// Without a modal widget the test fails and the loops are left, so a test never hangs.
inline void OnNextModal(std::function<void(QWidget*)> act) {
  QTimer::singleShot(0, [act = std::move(act)] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) {
      ADD_FAILURE() << "no modal widget is open";
      QApplication::exit(1);
      return;
    }
    act(modal);
  });
}

}  // namespace plotix
