#include "ui/linked_field_pair.hpp"

#include <QDialog>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/units.hpp"
#include "ui/fields.hpp"
#include "ui/form.hpp"

namespace orvane::ui {
namespace {

QLineEdit* makeEdit(const LinkedSide& side, const LinkedSide& partner) {
  auto* edit = new QLineEdit;
  edit->setObjectName(QStringLiteral("field") + side.key);
  edit->setAccessibleName(side.spokenName);
  // Two fields of the distance window are both statute miles: the partner tells them apart.
  edit->setAccessibleDescription(QStringLiteral("converts to ") + partner.spokenName);
  sizeByFont(edit, static_cast<int>(kConverterTextLimit));
  return edit;
}

QLabel* makeUnit(const LinkedSide& side, QLineEdit* field) {
  auto* label = new QLabel(side.unit);
  label->setObjectName(QStringLiteral("unit") + side.key);
  label->setTextFormat(Qt::PlainText);  // "<=>" and runs of blanks stay as written
  label->setBuddy(field);
  return label;
}

}  // namespace

LinkedFieldPair::LinkedFieldPair(QWidget* owner, QGridLayout* grid, int row, const LinkedSide& left,
                                 const LinkedSide& right, Conversion leftToRight, Conversion rightToLeft)
    : QObject(owner) {
  left_.edit = makeEdit(left, right);
  left_.unit = makeUnit(left, left_.edit);
  left_.toPartner = leftToRight;
  right_.edit = makeEdit(right, left);
  right_.unit = makeUnit(right, right_.edit);
  right_.toPartner = rightToLeft;

  grid->addWidget(left_.edit, row, 0);
  grid->addWidget(left_.unit, row, 1);
  grid->addWidget(right_.edit, row, 2);
  grid->addWidget(right_.unit, row, 3);

  // textChanged comes for the program's own writes too, before setText returns.
  connect(left_.edit, &QLineEdit::textChanged, this, [this] { changed(left_, right_); });
  connect(right_.edit, &QLineEdit::textChanged, this, [this] { changed(right_, left_); });
  left_.edit->installEventFilter(this);
  right_.edit->installEventFilter(this);
}

void LinkedFieldPair::enter(QLineEdit* field) {
  Field& entered = field == left_.edit ? left_ : right_;
  Field& partner = field == left_.edit ? right_ : left_;
  // Emptying an empty field changes nothing for Qt; it still counts as a change here.
  if (entered.edit->text().isEmpty()) {
    changed(entered, partner);
  } else {
    entered.edit->clear();
  }
}

bool LinkedFieldPair::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    switch (static_cast<QFocusEvent*>(event)->reason()) {
      // Coming back from another window or from the field's own context menu is no
      // entering: what was typed stays.
      case Qt::ActiveWindowFocusReason:
      case Qt::PopupFocusReason: break;
      default: enter(static_cast<QLineEdit*>(watched)); break;
    }
  }
  return false;
}

void LinkedFieldPair::changed(Field& field, Field& partner) {
  // The partner busy means this change is the partner's own write: converting it back
  // would overwrite what the pilot is typing.
  if (!partner.busy) {
    const double value = converterValue(fieldString(field.edit));
    field.busy = true;
    writeText(partner.edit, converterText(field.toPartner(value)));
    partner.edit->setCursorPosition(0);  // a long result shows from its first digit
  }
  field.busy = false;
}

QPushButton* addCancelButton(QDialog* window, QVBoxLayout* layout) {
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  QPushButton* cancel = addButton(row, QStringLiteral("Cancel"), QStringLiteral("cancelButton"));
  row->addStretch(1);
  layout->addLayout(row);
  cancel->setDefault(true);
  QObject::connect(cancel, &QPushButton::clicked, window, &QDialog::reject);
  return cancel;
}

}  // namespace orvane::ui
