#include "support/modal_answer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <memory>

void AnswerNextModal(std::function<void(QWidget*)> action, int timeout_ms) {
  auto timer = std::make_shared<QElapsedTimer>();
  timer->start();
  auto poll = std::make_shared<std::function<void()>>();
  *poll = [action, timer, timeout_ms, poll]() {
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible()) {
      action(modal);
      *poll = nullptr;  // break the cycle
      return;
    }
    if (timer->elapsed() > timeout_ms) {
      ADD_FAILURE() << "no modal window opened";
      *poll = nullptr;
      return;
    }
    QTimer::singleShot(10, [poll] {
      if (*poll) (*poll)();
    });
  };
  QTimer::singleShot(0, [poll] {
    if (*poll) (*poll)();
  });
}
