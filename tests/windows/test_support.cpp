#include "test_support.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <ctime>

namespace orvane::test {

void useUtcClock() {
  qputenv("TZ", "UTC0");
#ifndef _WIN32
  tzset();
#endif
}

MessageCatcher::MessageCatcher() {
  timer_.setInterval(5);
  connect(&timer_, &QTimer::timeout, this, &MessageCatcher::answer);
  timer_.start();
}

QStringList MessageCatcher::texts() const {
  QStringList out;
  for (const SeenMessage& m : messages) out << m.text;
  return out;
}

void MessageCatcher::answer() {
  // Collected first: `onMessage` may close windows that delete themselves.
  QList<QPointer<QMessageBox>> boxes;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* box = qobject_cast<QMessageBox*>(widget)) boxes << box;
  }
  for (const QPointer<QMessageBox>& box : boxes) {
    if (box.isNull() || !box->isVisible()) continue;
    SeenMessage seen{box->text(), box->windowTitle(), static_cast<int>(box->icon()),
                     static_cast<int>(box->buttons().size()), box->isModal()};
    messages << seen;
    if (onMessage) onMessage(seen);
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
      ok->click();
    } else {
      box->reject();
    }
  }
}

void whenShown(const QString& objectName, std::function<void(QWidget*)> steps) {
  auto* poll = new QTimer;
  poll->setInterval(5);
  QObject::connect(poll, &QTimer::timeout, poll, [poll, objectName, steps = std::move(steps)] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->objectName() != objectName || !widget->isVisible()) continue;
      poll->stop();
      poll->deleteLater();
      QApplication::setActiveWindow(widget);
      steps(widget);
      return;
    }
  });
  poll->start();
}

void typeInto(QLineEdit* field, const QString& text) {
  field->setFocus();
  field->selectAll();
  QTest::keyClick(field, Qt::Key_Backspace);
  if (!text.isEmpty()) QTest::keyClicks(field, text);
}

}  // namespace orvane::test
