#pragma once
// Coordinates Conversion: a position read off a chart in degrees, minutes and seconds
// becomes signed decimal degrees, which the course window can take.

#include <QDialog>
#include <string_view>

#include "core/coordinates.hpp"
#include "core/geo.hpp"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orvane {

/// Degrees near the largest number can sum beyond it: such a position is not converted.
inline constexpr std::string_view kNoPositionMessage =
    "These values give no position that can be shown. Please check the inputs.";

/// Where the coordinate window pastes its result in the course window.
enum class CopyTarget { Origin, Destination };

class CoordinateConversionDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CoordinateConversionDialog(QWidget* parent = nullptr);

  /// After the window closed accepted by Paste: where the position goes, and the
  /// position as the last "Copy to:" took it.
  CopyTarget copyTarget() const { return target_; }
  GeoPosition transfer() const { return transfer_; }

 private:
  bool readFields();
  void writeFields();
  void convert();
  void copyResults();
  void paste();

  DmsPosition dms_;
  GeoPosition result_;
  GeoPosition transfer_;
  CopyTarget target_ = CopyTarget::Destination;

  QLineEdit* latitudeDegrees_ = nullptr;
  QLineEdit* latitudeMinutes_ = nullptr;
  QLineEdit* latitudeSeconds_ = nullptr;
  QLineEdit* longitudeDegrees_ = nullptr;
  QLineEdit* longitudeMinutes_ = nullptr;
  QLineEdit* longitudeSeconds_ = nullptr;
  QLineEdit* latitudeResult_ = nullptr;
  QLineEdit* longitudeResult_ = nullptr;
  QCheckBox* south_ = nullptr;
  QCheckBox* west_ = nullptr;
  QRadioButton* origin_ = nullptr;
  QRadioButton* destination_ = nullptr;
  QPushButton* copyButton_ = nullptr;
  QPushButton* convertButton_ = nullptr;
  QPushButton* pasteButton_ = nullptr;
  QPushButton* exitButton_ = nullptr;
};

}  // namespace orvane
