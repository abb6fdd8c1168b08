#include "ui/balance_indicator_view.hpp"

#include <QPainter>
#include <algorithm>

namespace orvane::ui {
namespace {

constexpr int kScaleDigits = 16;  // the scales are as wide as this many digits

// Colours that read on the desktop's own background, light or dark.
bool darkBackground(const QWidget* w) { return w->palette().color(QPalette::Window).lightness() < 128; }
QColor calmColour(const QWidget* w) { return darkBackground(w) ? QColor(102, 204, 119) : QColor(27, 122, 47); }
QColor warningColour(const QWidget* w) { return darkBackground(w) ? QColor(255, 112, 112) : QColor(192, 32, 32); }

QString text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

BalanceIndicatorView::BalanceIndicatorView(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  setAccessibleDescription(
      QStringLiteral("Where the CG lies between its limits, and the gross weight against "
                     "the maximum weight"));
}

void BalanceIndicatorView::setIndicator(const BalanceIndicator& indicator) {
  indicator_ = indicator;
  // What is drawn is also what a screen reader says, and what the tooltip shows whole
  // when a text is too long for its place.
  setAccessibleName(spokenText());
  setToolTip(spokenText());
  update();
}

QString BalanceIndicatorView::spokenText() const {
  QStringList parts;
  if (!indicator_.cgText.empty()) parts << text(indicator_.cgText);
  if (!indicator_.weightText.empty()) parts << text(indicator_.weightText);
  return parts.join(QStringLiteral(". "));
}

int BalanceIndicatorView::scaleWidth() const {
  return fontMetrics().horizontalAdvance(QString(kScaleDigits, QLatin1Char('0')));
}

int BalanceIndicatorView::textWidth() const {
  QFont bold = font();
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  int width = 0;
  // The longest of the usual texts; a longer one is cut short, whole in the tooltip.
  for (const char* sample : {"CG less than 0.1 in fore of the limit", "1000.5 LB under the maximum weight"}) {
    width = std::max(width, metrics.horizontalAdvance(QString::fromLatin1(sample)));
  }
  return width;
}

QSize BalanceIndicatorView::sizeHint() const {
  const int line = fontMetrics().lineSpacing();
  const int gap = fontMetrics().averageCharWidth() * 2;
  return {scaleWidth() + gap + textWidth(), 3 * line + line / 2};
}

void BalanceIndicatorView::paintEvent(QPaintEvent*) {
  if (!indicator_.shown()) return;
  QPainter painter(this);
  const QFontMetrics metrics = fontMetrics();
  const int line = metrics.lineSpacing();
  const int width = scaleWidth();
  const int textLeft = width + metrics.averageCharWidth() * 2;
  const int trackHeight = std::max(4, line / 2);
  const QColor ink = palette().color(QPalette::WindowText);
  auto xAt = [width](double at) { return static_cast<int>(at * (width - 1)); };

  auto drawTrack = [&](int top) {
    const QRect track(0, top + (line - trackHeight) / 2, width, trackHeight);
    painter.setPen(palette().color(QPalette::Mid));
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawRect(track.adjusted(0, 0, -1, -1));
    return track;
  };
  auto drawTick = [&](int top, double at) {
    painter.setPen(QPen(ink, 1));
    painter.drawLine(xAt(at), top, xAt(at), top + line - 1);
  };
  auto drawText = [&](int top, const std::string& what, bool warns) {
    QFont f = font();
    f.setBold(warns);
    painter.setFont(f);
    painter.setPen(warns ? warningColour(this) : calmColour(this));
    const QString shown = QFontMetrics(f).elidedText(text(what), Qt::ElideRight, rect().width() - textLeft);
    painter.drawText(QRect(textLeft, top, rect().width() - textLeft, line), Qt::AlignLeft | Qt::AlignVCenter, shown);
    painter.setFont(font());
  };

  const BalanceIndicator& in = indicator_;
  if (in.cg != CgStanding::NotShown) {
    const QRect track = drawTrack(0);
    const QColor status = in.cgWarns() ? warningColour(this) : calmColour(this);
    if (in.cg != CgStanding::LimitsReversed) {
      // The allowed stretch, lightly tinted, and the CG as a bar across the track.
      QColor band = calmColour(this);
      band.setAlpha(70);
      painter.fillRect(
          QRect(QPoint(xAt(in.foreLimitAt), track.top() + 1), QPoint(xAt(in.aftLimitAt), track.bottom() - 1)), band);
      drawTick(0, in.foreLimitAt);
      drawTick(0, in.aftLimitAt);
      const int markerWidth = std::max(3, line / 4);
      painter.fillRect(QRect(xAt(in.cgAt) - markerWidth / 2, 0, markerWidth, line), status);
      // The limits' values under their ticks, kept on the scale.
      auto label = [&](double at, const std::string& value) {
        const QString shown = text(value);
        const int w = metrics.horizontalAdvance(shown);
        const int left = std::clamp(xAt(at) - w / 2, 0, std::max(0, width - w));
        painter.setPen(ink);
        painter.drawText(QRect(left, line, w, line), Qt::AlignCenter, shown);
      };
      label(in.foreLimitAt, in.foreLimitText);
      if (in.aftLimitAt != in.foreLimitAt) label(in.aftLimitAt, in.aftLimitText);
    }
    drawText(0, in.cgText, in.cgWarns());
  }
  if (in.weight != WeightStanding::NotShown) {
    const int top = 2 * line + line / 2;
    const QRect track = drawTrack(top);
    const QColor status = in.weightWarns() ? warningColour(this) : calmColour(this);
    painter.fillRect(
        QRect(QPoint(track.left() + 1, track.top() + 1), QPoint(xAt(in.grossWeightAt), track.bottom() - 1)), status);
    drawTick(top, in.maximumAt);
    drawText(top, in.weightText, in.weightWarns());
  }
}

}  // namespace orvane::ui
