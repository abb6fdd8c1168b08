#pragma once
// Weight & Balance: the loaded airplane's gross weight, gross moment and CG from a
// loading table of six rows. It opens with the planner's airplane values and fuel on
// board, and the planner takes them back from sheet() however the window closes.

#include <QDialog>

#include "core/balance.hpp"

class QGridLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace orvane {

namespace ui {
class BalanceIndicatorView;
}

class WeightBalanceDialog : public QDialog {
  Q_OBJECT

 public:
  /// `fuelOnBoard` [US gallons] also fills the Fuel row's weight, at 6 LB a gallon.
  WeightBalanceDialog(const AirplaneData& airplane, double fuelOnBoard, QWidget* parent = nullptr);

  /// The values as the last reading took them: Calculate's, or the closing's once the
  /// window has closed (as the window opened, if neither read them).
  const BalanceSheet& sheet() const { return sheet_; }

  /// Does nothing: the window hands nothing over by acceptance, so only Cancel, Escape
  /// and the close box end it.
  void accept() override {}

  /// Cancel, Escape and the close box: reads the fields first (a refused field shows
  /// its message; the window closes all the same), so that what the pilot typed since
  /// the last Calculate goes back to the planner too.
  void reject() override;

 protected:
  void changeEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
#ifdef Q_OS_WIN
  bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

 private:
  struct RowFields {
    QLineEdit* weight = nullptr;
    QLineEdit* arm = nullptr;  // none for Empty Aircraft and Gross Weight
    QLineEdit* moment = nullptr;
  };

  void buildWindow();
  void alignToFont();
  bool readFields();
  void writeFields();
  void calculate();

  BalanceSheet sheet_;

  QLineEdit* tailNumber_ = nullptr;
  QLineEdit* airplaneType_ = nullptr;
  QLineEdit* maxWeight_ = nullptr;
  QLineEdit* usefulLoad_ = nullptr;
  QLineEdit* fuelOnBoard_ = nullptr;
  QLineEdit* cgForeLimit_ = nullptr;
  QLineEdit* cgAftLimit_ = nullptr;
  RowFields emptyAircraft_;
  RowFields frontSeats_;
  RowFields rearSeats_;
  RowFields fuel_;
  RowFields baggage_;
  RowFields other_;
  RowFields gross_;
  QLineEdit* cg_ = nullptr;
  QGridLayout* form_ = nullptr;
  QGroupBox* limits_ = nullptr;
  QGridLayout* limitGrid_ = nullptr;
  QGridLayout* resultGrid_ = nullptr;
  ui::BalanceIndicatorView* indicator_ = nullptr;
  QPushButton* calculateButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

}  // namespace orvane
