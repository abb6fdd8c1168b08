#pragma once
// A one-line label for a value that can grow without limit (the flight's route): it
// takes the width its layout gives it and no more, and shows what does not fit as an
// ellipsis. text() stays the whole value, so a screen reader reads all of it (and
// nothing when it is empty), and the tooltip shows all of it while it is cut short.

#include <QLabel>

namespace orvane::ui {

class ElidedLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ElidedLabel(QWidget* parent = nullptr);

  /// What the label shows now: text() cut to the present width and font.
  QString displayedText() const;
  bool isElided() const { return displayedText() != text(); }

  /// As wide as an ellipsis and one line high whatever the text, so the text never
  /// widens the window.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QRect textRect() const;
};

}  // namespace orvane::ui
