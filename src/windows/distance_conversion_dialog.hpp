#pragma once
// Distance Conversions: statute miles and kilometres, feet and metres, nautical and
// statute miles, each row converted into its partner while the pilot types. It takes
// nothing from the planner and hands nothing back.

#include <QDialog>

namespace orvane {

namespace ui {
class LinkedFieldPair;
}

class DistanceConversionDialog : public QDialog {
  Q_OBJECT

 public:
  explicit DistanceConversionDialog(QWidget* parent = nullptr);

 private:
  ui::LinkedFieldPair* milesKilometres_ = nullptr;
  ui::LinkedFieldPair* feetMetres_ = nullptr;
  ui::LinkedFieldPair* nauticalStatute_ = nullptr;
};

}  // namespace orvane
