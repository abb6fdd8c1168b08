#include "ui/fields.hpp"

#include <QLabel>
#include <QLineEdit>

#include "core/numbers.hpp"
#include "ui/messages.hpp"

namespace orvane::ui {

std::string fieldString(const QLineEdit* field) { return field->text().toStdString(); }

FieldReader& FieldReader::number(QLineEdit* field, double& value, std::optional<NumberRange> range) {
  if (refused_) return *this;
  // The first 31 characters, counted as the pilot sees them.
  const std::string text = field->text().left(static_cast<qsizetype>(kFieldCharLimit)).toStdString();
  const FieldReading reading = readNumberField(text, range);
  switch (reading.status) {
    case FieldStatus::Accepted: value = reading.value; break;
    case FieldStatus::OutOfRange:
      value = reading.value;
      refuse(field, QString::fromStdString(outOfRangeMessage(*range)));
      break;
    case FieldStatus::NotANumber:
      refuse(field, QString::fromUtf8(kNotANumberMessage.data(), static_cast<qsizetype>(kNotANumberMessage.size())));
      break;
  }
  return *this;
}

FieldReader& FieldReader::text(QLineEdit* field, std::string& value) {
  if (!refused_) value = fieldString(field);
  return *this;
}

void FieldReader::refuse(QLineEdit* field, const QString& message) {
  refused_ = true;
  showMessage(owner_, message);
  field->setFocus(Qt::OtherFocusReason);
  field->selectAll();
}

void writeNumber(QLineEdit* field, double value) {
  field->setText(QString::fromStdString(fieldText(value)));
  field->setCursorPosition(0);  // a number too long for the field shows its leading digits
}

void writeText(QLineEdit* field, const std::string& text) { field->setText(QString::fromStdString(text)); }

void writeText(QLabel* label, const std::string& text) { label->setText(QString::fromStdString(text)); }

}  // namespace orvane::ui
