#pragma once
// Draws a BalanceIndicator: the CG on a scale between the fore and aft limits, and the
// gross weight as a bar against the maximum weight, each with its short text beside
// it; calm (green) within the limits, a warning (red) beyond either.

#include <QWidget>

#include "core/balance_indicator.hpp"

namespace orvane::ui {

class BalanceIndicatorView : public QWidget {
  Q_OBJECT

 public:
  explicit BalanceIndicatorView(QWidget* parent = nullptr);

  /// Shows `indicator`; an indicator that shows nothing leaves the widget blank. Its
  /// texts become the widget's accessible name and tooltip.
  void setIndicator(const BalanceIndicator& indicator);
  const BalanceIndicator& indicator() const { return indicator_; }

  /// The texts as one line, as a screen reader reads them; empty when nothing is shown.
  QString spokenText() const;

  /// Always the same size for a font, so that a calculation never resizes the window.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int scaleWidth() const;
  int textWidth() const;

  BalanceIndicator indicator_;
};

}  // namespace orvane::ui
