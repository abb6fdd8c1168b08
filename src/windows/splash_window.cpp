#include "windows/splash_window.hpp"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "windows/app_icon.hpp"

namespace orvane {
namespace {

constexpr int kMargin = 10;     // the picture sits in its frame with about ten pixels around it
constexpr int kFrameWidth = 2;  // the raised panel around it

// Shift, Alt and the like pressed on their own are the start of a combination (Alt+C,
// Alt+Tab), not yet a key: the key that comes with them decides.
bool isModifierOnly(const QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock: return true;
    default: return false;
  }
}

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
  if (area.isValid()) frame_->move(area.center() - frame_->rect().center());
  frame_->show();
  frame_->raise();
  frame_->activateWindow();
  // Painted at once: by the showing itself where the display shows the window straight
  // away, else here; a second painting would only send the same picture again.
  if (!frame_->isPainted()) frame_->repaint();
  if (mainWindow_ != nullptr) mainWindow_->repaint();
  return true;
}

QWidget* SplashWindow::frame() const { return frame_.data(); }

// Not kept on top: a message box of the start-up loads, shown after the picture, must
// be seen above it, with a window manager or without one. One widget that paints its
// raised frame and the picture itself: it is put on screen before the planner, so it
// costs the start as little as it can.
SplashFrame::SplashFrame(QWidget* owner, int milliseconds)
    : QFrame(owner, Qt::SplashScreen | Qt::FramelessWindowHint), owner_(owner), picture_(splashPicture()) {
  setObjectName(QStringLiteral("splashWindow"));
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_OpaquePaintEvent);  // the picture and the frame cover every pixel
  setFocusPolicy(Qt::StrongFocus);
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Raised);
  setLineWidth(kFrameWidth);
  const int border = kFrameWidth + kMargin;
  setFixedSize(kSplashPictureSize.width() + 2 * border, kSplashPictureSize.height() + 2 * border);

  QTimer::singleShot(milliseconds, this, &QWidget::close);
  // Watches the whole program while the picture shows: modal boxes coming and going,
  // and keys meant for the windows it covers.
  qApp->installEventFilter(this);
}

SplashFrame::~SplashFrame() { qApp->removeEventFilter(this); }

// While a modal box is up Qt lets no other window take a click or a key, except the
// box's own transient children. So the picture is made the box's transient child for
// that time. Only Qt's reckoning changes: the window system was told where the picture
// stands when it was shown, so the box stays above it.
void SplashFrame::followModal(const QWidget* modal) {
  QWindow* window = windowHandle();
  if (window == nullptr) return;
  QWindow* parent = modal != nullptr ? modal->windowHandle() : nullptr;
  if (parent == nullptr && !owner_.isNull()) parent = owner_->window()->windowHandle();
  modal_ = parent;
  if (window->transientParent() != parent) window->setTransientParent(parent);
}

bool SplashFrame::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget == this || !isVisible()) return false;
  switch (event->type()) {
    case QEvent::Show:
      // Before it is on screen, so before Qt starts blocking for it.
      if (widget->isWindow() && widget->isModal()) followModal(widget);
      return false;
    case QEvent::Hide:
      // After it left the screen: the next modal window, if any, is Qt's active one.
      if (widget->isWindow() && widget->windowHandle() == modal_) followModal(QApplication::activeModalWidget());
      return false;
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: return filterKey(widget, static_cast<QKeyEvent*>(event));
    default: return false;
  }
}

bool SplashFrame::filterKey(QWidget* receiver, QKeyEvent* event) {
  const QWidget* target = receiver->window();
  if (target == this) return false;  // keyPressEvent closes it
  if (isModifierOnly(event)) return false;
  const bool ownersWindow = !owner_.isNull() && target == owner_->window();
  if (target == QApplication::activeModalWidget() && !ownersWindow) {
    // A box that came up while the picture shows is seen above it (the picture sits
    // above its owner only), so the key is the pilot's answer to it; it dismisses the
    // picture as well.
    if (event->type() == QEvent::KeyPress) close();
    return false;
  }
  // A window under the picture: the key only closes the picture, as if typed on it,
  // so nothing is typed or triggered unseen.
  event->accept();
  if (event->type() == QEvent::KeyPress) close();
  return true;
}

void SplashFrame::paintEvent(QPaintEvent* event) {
  painted_ = true;
  QPainter painter(this);
  painter.fillRect(contentsRect(), palette().window());
  const int border = kFrameWidth + kMargin;
  painter.drawImage(QPoint(border, border), picture_);
  painter.end();
  QFrame::paintEvent(event);  // the raised frame
}

void SplashFrame::keyPressEvent(QKeyEvent* event) {
  if (isModifierOnly(event)) {
    QWidget::keyPressEvent(event);
    return;
  }
  event->accept();  // the key that closes the picture reaches nothing else
  close();
}

void SplashFrame::mousePressEvent(QMouseEvent* event) {
  event->accept();
  close();
}

void SplashFrame::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  qApp->removeEventFilter(this);
  // A click on the picture made it the active window; a message box still up takes
  // the keys again.
  if (QWidget* modal = QApplication::activeModalWidget()) modal->activateWindow();
  if (!owner_.isNull()) owner_->repaint();
}

}  // namespace orvane
