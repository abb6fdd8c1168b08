// The yardstick of the planner's start-up time: the least a Qt Widgets program does to
// put a dialog of the planner's size on the screen. scripts/bench.sh measures the
// planner's size first and starts this with it, then times both the same way.
//
//   orvane_minimal_dialog WIDTH HEIGHT [--label]
//
// WIDTH and HEIGHT in pixels; the window is titled "Minimal dialog". With --label it
// holds one line of text, so that it lays out text before it is shown, as every window
// of the program does: Qt reads the desktop's fonts only when the first text is measured.

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>
#include <cstdio>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList arguments = QCoreApplication::arguments();
  const bool withLabel = arguments.size() == 4 && arguments.at(3) == QStringLiteral("--label");
  bool widthRead = false;
  bool heightRead = false;
  const int width = arguments.size() >= 3 ? arguments.at(1).toInt(&widthRead) : 0;
  const int height = arguments.size() >= 3 ? arguments.at(2).toInt(&heightRead) : 0;
  if (!widthRead || !heightRead || width <= 0 || height <= 0 || (arguments.size() == 4 && !withLabel) ||
      arguments.size() > 4) {
    std::fprintf(stderr, "usage: orvane_minimal_dialog WIDTH HEIGHT [--label]\n");
    return 2;
  }
  QDialog dialog;
  dialog.setWindowTitle(QStringLiteral("Minimal dialog"));
  if (withLabel) {
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("TC (True Course) -")));
  }
  // The planner's size as measured on the screen: a yardstick, not a window of the program.
  dialog.setFixedSize(width, height);
  dialog.exec();
  return 0;
}
