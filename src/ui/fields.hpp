#pragma once
// Reading and writing a window's fields by the program's rules: fields are read in a
// fixed order and the reading stops at the first refused field; the command that
// asked for it carries on with the values it then holds.

#include <optional>
#include <string>

#include "core/field_reading.hpp"

class QLabel;
class QString;
class QLineEdit;
class QWidget;

namespace orvane::ui {

class FieldReader {
 public:
  /// `messageOwner` owns the refusal messages (the window being read).
  explicit FieldReader(QWidget* messageOwner) : owner_(messageOwner) {}

  /// Reads a number field into `value`. A field refused as not a number leaves
  /// `value` as it was; one out of its range has already been taken. After a
  /// refusal, every later call leaves its value alone.
  FieldReader& number(QLineEdit* field, double& value, std::optional<NumberRange> range = std::nullopt);

  /// Takes a text field whole.
  FieldReader& text(QLineEdit* field, std::string& value);

  /// True while no field has been refused.
  bool accepted() const { return !refused_; }

 private:
  void refuse(QLineEdit* field, const QString& message);

  QWidget* owner_;
  bool refused_ = false;
};

/// Writes a number as fields show numbers (general notation, up to 15 digits).
void writeNumber(QLineEdit* field, double value);
void writeText(QLineEdit* field, const std::string& text);
void writeText(QLabel* label, const std::string& text);

/// The text of a field as UTF-8.
std::string fieldString(const QLineEdit* field);

}  // namespace orvane::ui
