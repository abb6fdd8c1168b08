#include "windows/temperature_conversion_dialog.hpp"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/units.hpp"
#include "ui/form.hpp"
#include "ui/linked_field_pair.hpp"

namespace orvane {

TemperatureConversionDialog::TemperatureConversionDialog(QWidget* parent) : QDialog(parent, ui::kWindowFlags) {
  setObjectName(QStringLiteral("temperatureConversionWindow"));
  setWindowTitle(QStringLiteral("Temperature Conversions"));

  auto* layout = new QVBoxLayout(this);
  QGridLayout* grid = ui::fieldGrid();
  layout->addLayout(grid);
  fahrenheitCelsius_ = new ui::LinkedFieldPair(
      this, grid, 0,
      {QStringLiteral("Fahrenheit ="), QStringLiteral("degrees Fahrenheit"), QStringLiteral("Fahrenheit")},
      {QStringLiteral("Celsius"), QStringLiteral("degrees Celsius"), QStringLiteral("Celsius")}, fahrenheitToCelsius,
      celsiusToFahrenheit);
  QPushButton* cancel = ui::addCancelButton(this, layout);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  ui::chainTabOrder({fahrenheitCelsius_->left(), fahrenheitCelsius_->right(), cancel});
  fahrenheitCelsius_->left()->setFocus(Qt::OtherFocusReason);
  // The window opens as if Fahrenheit had just been entered: Celsius shows -17.777778.
  fahrenheitCelsius_->enter(fahrenheitCelsius_->left());
}

}  // namespace orvane
