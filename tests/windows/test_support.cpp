#include "test_support.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <ctime>

namespace orvane::test {

namespace {

void applyTimeZone() {
#ifndef _WIN32
  tzset();
#endif
}

// A name part that is safe in any file system: letters, digits, '.', '-' and '_' stay,
// anything else becomes '_'.
QString fileNamePart(const QString& text) {
  QString out;
  for (const QChar c : text) {
    const bool plain = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                       (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                       (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.') ||
                       c == QLatin1Char('-') || c == QLatin1Char('_');
    out += plain ? c : QLatin1Char('_');
  }
  return out;
}

}  // namespace

FixedTimeZone::FixedTimeZone(const char* posixZone) : saved_(qgetenv("TZ")), hadZone_(qEnvironmentVariableIsSet("TZ")) {
  qputenv("TZ", posixZone);
  applyTimeZone();
}

FixedTimeZone::~FixedTimeZone() {
  if (hadZone_) {
    qputenv("TZ", saved_);
  } else {
    qunsetenv("TZ");
  }
  applyTimeZone();
}

bool keepWrittenFile(const QString& path) {
  const QString folder = qEnvironmentVariable("ORVANE_TEST_KEEP_FILES");
  if (folder.isEmpty()) return true;
  if (!QDir().mkpath(folder)) return false;

  QStringList parts{QFileInfo(QCoreApplication::applicationFilePath()).fileName(),
                    QString::fromLatin1(QTest::currentTestFunction())};
  if (const char* row = QTest::currentDataTag(); row != nullptr && *row != '\0') parts << QString::fromUtf8(row);
  parts << QFileInfo(path).fileName();
  for (QString& part : parts) part = fileNamePart(part);
  const QString name = parts.join(QStringLiteral("--"));

  static QHash<QString, int> copiesSoFar;
  const int copy = ++copiesSoFar[name];
  const QString target = QDir(folder).filePath(copy == 1 ? name : name + QStringLiteral("--%1").arg(copy));
  QFile::remove(target);
  return QFile::copy(path, target);
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

QLineEdit* plannerField(const QWidget* planner, const char* key) {
  auto* field = inWindow<QLineEdit>(planner, QStringLiteral("field") + QLatin1String(key));
  if (field == nullptr) qFatal("the planner has no field %s", key);
  return field;
}

QString plannerText(const QWidget* planner, const char* key) {
  if (const auto* label = inWindow<QLabel>(planner, QStringLiteral("field") + QLatin1String(key))) {
    return label->text();
  }
  return plannerField(planner, key)->text();
}

void typeInto(QLineEdit* field, const QString& text) {
  field->setFocus();
  field->selectAll();
  QTest::keyClick(field, Qt::Key_Backspace);
  if (!text.isEmpty()) QTest::keyClicks(field, text);
}

}  // namespace orvane::test
