#pragma once
// Two fields side by side that convert into each other while the pilot types: every
// change of one field's text writes the converted value into the other. The unit
// converters are built from these pairs; there is no convert button.

#include <QObject>
#include <QString>

class QDialog;
class QEvent;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace orvane::ui {

/// A conversion from one field's unit to its partner's.
using Conversion = double (*)(double);

/// One field of a pair as the window shows it.
struct LinkedSide {
  QString unit;        // the label after the field, shown exactly ("LB  =")
  QString spokenName;  // what a screen reader calls the field ("pounds")
  QString key;         // names the widgets: "field" + key and "unit" + key
};

/// One row of a converter: left field, its unit label, right field, its unit label.
/// Each field is as wide as 19 characters of its font need, the longest text a
/// result is written with, so a result is always shown whole.
class LinkedFieldPair : public QObject {
  Q_OBJECT

 public:
  /// Builds the row on `row` of `grid` (columns 0 to 3); `owner` owns the pair.
  LinkedFieldPair(QWidget* owner, QGridLayout* grid, int row, const LinkedSide& left, const LinkedSide& right,
                  Conversion leftToRight, Conversion rightToLeft);

  QLineEdit* left() const { return left_.edit; }
  QLineEdit* right() const { return right_.edit; }

  /// What entering a field does: it is emptied, which always counts as a change, so
  /// its partner shows the conversion of 0. The window calls it for the field that
  /// has the focus on opening; Tab and the mouse run it by themselves.
  void enter(QLineEdit* field);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Field {
    QLineEdit* edit = nullptr;
    QLabel* unit = nullptr;
    Conversion toPartner = nullptr;
    bool busy = false;  // set only while this field's change writes into its partner
  };

  void changed(Field& field, Field& partner);

  Field left_;
  Field right_;
};

/// A converter's "Cancel", centred under its rows. It is the default button, so Enter
/// closes `window` as well as Escape and the close box do.
QPushButton* addCancelButton(QDialog* window, QVBoxLayout* layout);

}  // namespace orvane::ui
