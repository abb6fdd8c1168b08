#include "ui/time_picker.hpp"

#include <QDateTimeEdit>
#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace orvane::ui {
namespace {

// Watches the picker's own text field: the press has placed the cursor (and moved the
// picker's current part to it) by the time the release comes.
class PartSelector : public QObject {
 public:
  PartSelector(QDateTimeEdit* picker, QLineEdit* text) : QObject(picker), picker_(picker), text_(text) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == text_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && !text_->hasSelectedText() &&
        picker_->currentSection() != QDateTimeEdit::NoSection) {
      picker_->setSelectedSection(picker_->currentSection());
    }
    return false;
  }

 private:
  QDateTimeEdit* picker_;
  QLineEdit* text_;
};

}  // namespace

void selectPartOnClick(QDateTimeEdit* picker) {
  // The editor's text field is its only line edit; it is not public otherwise.
  auto* text = picker->findChild<QLineEdit*>();
  if (text == nullptr) return;
  text->installEventFilter(new PartSelector(picker, text));
}

}  // namespace orvane::ui
