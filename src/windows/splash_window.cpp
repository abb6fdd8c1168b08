#include "windows/splash_window.hpp"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "windows/app_icon.hpp"

namespace orvane {
namespace {

constexpr int kMargin = 10;  // the picture sits in its frame with about ten pixels around it

}  // namespace

bool SplashWindow::start(int milliseconds) {
  displayMilliseconds_ = milliseconds;
  if (mainWindow_ != nullptr && mainWindow_->isMinimized()) return false;
  if (!frame_.isNull()) frame_->close();
  frame_ = new SplashFrame(mainWindow_, milliseconds);

  // Centred on the main window when it can be seen, else on its screen.
  const QWidget* owner = mainWindow_;
  QRect area;
  if (owner != nullptr && owner->isVisible() && !owner->isMinimized()) {
    area = owner->frameGeometry();
  } else {
    const QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) area = screen->availableGeometry();
  }
  frame_->adjustSize();
  if (area.isValid()) frame_->move(area.center() - frame_->rect().center());
  frame_->show();
  frame_->raise();
  frame_->activateWindow();
  frame_->repaint();
  if (mainWindow_ != nullptr) mainWindow_->repaint();
  return true;
}

QWidget* SplashWindow::frame() const { return frame_.data(); }

SplashFrame::SplashFrame(QWidget* owner, int milliseconds)
    : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), owner_(owner) {
  setObjectName(QStringLiteral("splashWindow"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFocusPolicy(Qt::StrongFocus);

  auto* frame = new QFrame;
  frame->setFrameShape(QFrame::Panel);
  frame->setFrameShadow(QFrame::Raised);
  frame->setLineWidth(2);
  auto* picture = new QLabel;
  picture->setObjectName(QStringLiteral("splashPicture"));
  picture->setPixmap(splashPicture());
  picture->setFixedSize(411, 276);
  auto* inner = new QVBoxLayout(frame);
  inner->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  inner->addWidget(picture);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(frame);

  QTimer::singleShot(milliseconds, this, &QWidget::close);
}

void SplashFrame::keyPressEvent(QKeyEvent* event) {
  event->accept();  // the key that closes the picture reaches nothing else
  close();
}

void SplashFrame::mousePressEvent(QMouseEvent* event) {
  event->accept();
  close();
}

void SplashFrame::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (!owner_.isNull()) owner_->repaint();
}

}  // namespace orvane
