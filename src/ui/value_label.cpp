#include "ui/value_label.hpp"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace orvane::ui {
namespace {

constexpr const char* kValueProperty = "orvaneAnnouncesValue";

class ValueLabelAccessible : public QAccessibleWidget {
 public:
  explicit ValueLabelAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) {
      return static_cast<const QLabel*>(widget())->text();
    }
    return QAccessibleWidget::text(kind);
  }
};

// Asked before Qt's own factory, for each class of the object from the most derived.
QAccessibleInterface* valueLabelFactory(const QString& /*className*/, QObject* object) {
  if (object == nullptr || !object->property(kValueProperty).toBool()) return nullptr;
  if (auto* label = qobject_cast<QLabel*>(object)) return new ValueLabelAccessible(label);
  return nullptr;
}

}  // namespace

void announceValue(QLabel* label) {
  static const bool installed = [] {
    QAccessible::installFactory(valueLabelFactory);
    return true;
  }();
  (void)installed;
  label->setProperty(kValueProperty, true);
  // Qt may have made the label's interface already (setting its description does), and
  // keeps it; drop that one so that the next question gets the value's.
  QAccessibleInterface* made = QAccessible::queryAccessibleInterface(label);
  if (made != nullptr && dynamic_cast<ValueLabelAccessible*>(made) == nullptr) {
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
  }
}

}  // namespace orvane::ui
