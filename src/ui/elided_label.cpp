#include "ui/elided_label.hpp"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

#include "ui/value_label.hpp"

namespace orvane::ui {
namespace {

const QString kEllipsis = QStringLiteral("\u2026");

}  // namespace

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  announceValue(this);
}

// Where QLabel itself puts a line of text: inside the frame and margin, and indented
// by half an 'x' when framed.
QRect ElidedLabel::textRect() const {
  QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
  int inset = indent();
  if (inset < 0 && frameWidth() > 0) inset = fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2;
  if (inset > 0) {
    const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
    if (align & Qt::AlignLeft) area.setLeft(area.left() + inset);
    if (align & Qt::AlignRight) area.setRight(area.right() - inset);
  }
  return area;
}

QString ElidedLabel::displayedText() const {
  // Worked out from the present width and font each time, so a resize or a new font
  // shows the right cut at once.
  return fontMetrics().elidedText(text(), Qt::ElideRight, textRect().width());
}

QSize ElidedLabel::sizeHint() const {
  const QFontMetrics metrics = fontMetrics();
  const QMargins frame = contentsMargins();
  const int extra = 2 * margin();
  return {metrics.horizontalAdvance(kEllipsis) + extra + frame.left() + frame.right(),
          metrics.height() + extra + frame.top() + frame.bottom()};
}

QSize ElidedLabel::minimumSizeHint() const { return sizeHint(); }

bool ElidedLabel::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
    // The whole text when it is cut short; nothing when it is all there to see.
    const auto* help = static_cast<QHelpEvent*>(event);
    if (isElided()) {
      // As a paragraph, so that Qt wraps a text wider than the screen.
      const QString tip = QStringLiteral("<p style=\"white-space:pre-wrap\">%1</p>").arg(text().toHtmlEscaped());
      QToolTip::showText(help->globalPos(), tip, this, rect());
    } else {
      QToolTip::hideText();
      event->ignore();
    }
    return true;
  }
  return QLabel::event(event);
}

void ElidedLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  drawFrame(&painter);
  const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
  style()->drawItemText(&painter, textRect(), static_cast<int>(align), palette(), isEnabled(), displayedText(),
                        foregroundRole());
}

}  // namespace orvane::ui
