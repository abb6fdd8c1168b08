#include "windows/distance_conversion_dialog.hpp"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/units.hpp"
#include "ui/form.hpp"
#include "ui/linked_field_pair.hpp"

namespace orvane {

DistanceConversionDialog::DistanceConversionDialog(QWidget* parent) : QDialog(parent, ui::kWindowFlags) {
  setObjectName(QStringLiteral("distanceConversionWindow"));
  setWindowTitle(QStringLiteral("Distance Conversions"));

  auto* layout = new QVBoxLayout(this);
  QGridLayout* grid = ui::fieldGrid();
  layout->addLayout(grid);
  milesKilometres_ = new ui::LinkedFieldPair(
      this, grid, 0, {QStringLiteral("sm   ="), QStringLiteral("statute miles"), QStringLiteral("StatuteMiles")},
      {QStringLiteral("km"), QStringLiteral("kilometers"), QStringLiteral("Kilometres")}, statuteMilesToKilometres,
      kilometresToStatuteMiles);
  feetMetres_ = new ui::LinkedFieldPair(
      this, grid, 1, {QStringLiteral("feet =  "), QStringLiteral("feet"), QStringLiteral("Feet")},
      {QStringLiteral("m"), QStringLiteral("meters"), QStringLiteral("Metres")}, feetToMetres, metresToFeet);
  nauticalStatute_ = new ui::LinkedFieldPair(
      this, grid, 2, {QStringLiteral("nm   ="), QStringLiteral("nautical miles"), QStringLiteral("NauticalMiles")},
      {QStringLiteral("sm"), QStringLiteral("statute miles"), QStringLiteral("NauticalRowStatuteMiles")},
      nauticalToStatuteMiles, statuteToNauticalMiles);

  auto* legend = new QVBoxLayout;
  legend->setSpacing(0);
  const QString lines[] = {QStringLiteral("nm <=> nautical mile"), QStringLiteral("sm <=> statute mile"),
                           QStringLiteral("km <=> kilometer"), QStringLiteral("m   <=> meter")};
  for (const QString& line : lines) {
    auto* label = new QLabel(line);
    label->setObjectName(QStringLiteral("legend"));
    label->setTextFormat(Qt::PlainText);  // "<=>" is no markup
    legend->addWidget(label);
  }
  layout->addLayout(legend);
  QPushButton* cancel = ui::addCancelButton(this, layout);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // In the feet and metres row, metres come first.
  ui::chainTabOrder({milesKilometres_->left(), milesKilometres_->right(), feetMetres_->right(), feetMetres_->left(),
                     nauticalStatute_->left(), nauticalStatute_->right(), cancel});
  milesKilometres_->left()->setFocus(Qt::OtherFocusReason);
  // The window opens as if the first row's statute miles had just been entered; the
  // other rows stay empty until the pilot enters them.
  milesKilometres_->enter(milesKilometres_->left());
}

}  // namespace orvane
