#pragma once
// Temperature Conversions: degrees Fahrenheit and Celsius, converted into each other
// while the pilot types. It takes nothing from the planner and hands nothing back.

#include <QDialog>

namespace orvane {

namespace ui {
class LinkedFieldPair;
}

class TemperatureConversionDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TemperatureConversionDialog(QWidget* parent = nullptr);

 private:
  ui::LinkedFieldPair* fahrenheitCelsius_ = nullptr;
};

}  // namespace orvane
