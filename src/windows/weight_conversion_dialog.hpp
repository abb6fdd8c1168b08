#pragma once
// Weight Conversions: pounds and kilograms, converted into each other while the pilot
// types. It takes nothing from the planner and hands nothing back.

#include <QDialog>

namespace orvane {

namespace ui {
class LinkedFieldPair;
}

class WeightConversionDialog : public QDialog {
  Q_OBJECT

 public:
  explicit WeightConversionDialog(QWidget* parent = nullptr);

 private:
  ui::LinkedFieldPair* poundsKilograms_ = nullptr;
};

}  // namespace orvane
