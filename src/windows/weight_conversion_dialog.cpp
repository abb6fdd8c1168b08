#include "windows/weight_conversion_dialog.hpp"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/units.hpp"
#include "ui/form.hpp"
#include "ui/linked_field_pair.hpp"

namespace orvane {

WeightConversionDialog::WeightConversionDialog(QWidget* parent) : QDialog(parent, ui::kWindowFlags) {
  setObjectName(QStringLiteral("weightConversionWindow"));
  setWindowTitle(QStringLiteral("Weight Conversions"));

  auto* layout = new QVBoxLayout(this);
  QGridLayout* grid = ui::fieldGrid();
  layout->addLayout(grid);
  poundsKilograms_ = new ui::LinkedFieldPair(
      this, grid, 0, {QStringLiteral("LB  ="), QStringLiteral("pounds"), QStringLiteral("Pounds")},
      {QStringLiteral("KG"), QStringLiteral("kilograms"), QStringLiteral("Kilograms")}, poundsToKilograms,
      kilogramsToPounds);
  QPushButton* cancel = ui::addCancelButton(this, layout);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  ui::chainTabOrder({poundsKilograms_->left(), poundsKilograms_->right(), cancel});
  poundsKilograms_->left()->setFocus(Qt::OtherFocusReason);
  poundsKilograms_->enter(poundsKilograms_->left());  // the window opens as if pounds had just been entered
}

}  // namespace orvane
