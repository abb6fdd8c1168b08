#pragma once
// The start-up picture: shown for a while as the planner gets ready, never in its way.

#include <QFrame>
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace orvane {

class SplashFrame;

class SplashWindow {
 public:
  /// `mainWindow` owns the picture and is repainted when it goes.
  explicit SplashWindow(QWidget* mainWindow) : mainWindow_(mainWindow) {}

  /// Shows the picture for `milliseconds`, centred on the screen (or on the main
  /// window when that is visible). False when nothing is shown: the main window is
  /// minimised. Returns at once.
  bool start(int milliseconds);

  bool isShown() const { return !frame_.isNull(); }
  QWidget* frame() const;

 private:
  QWidget* mainWindow_;
  QPointer<SplashFrame> frame_;
  int displayMilliseconds_ = 0;
};

/// The picture's window: closes on its timer, a key or a mouse button. It does not
/// stay on top, so a message box that comes up while it shows is seen above it, and
/// such a box does not stop the picture from taking its own click or key.
class SplashFrame : public QFrame {
  Q_OBJECT

 public:
  SplashFrame(QWidget* owner, int milliseconds);
  ~SplashFrame() override;

  /// Whether the picture has been painted on screen yet.
  bool isPainted() const { return painted_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  bool filterKey(QWidget* receiver, QKeyEvent* event);
  void followModal(const QWidget* modal);

  QPointer<QWidget> owner_;
  QPointer<QWindow> modal_;  // the window the picture is a transient child of for now
  QImage picture_;
  bool painted_ = false;
};

}  // namespace orvane
