#pragma once
// The About box: the program's icon and version, and two texts that the opener may
// fill (the Help menu does; the window menu's entry leaves them empty).

#include <QDialog>

class QPlainTextEdit;

namespace orvane {

class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent = nullptr);

  void setTexts(const QString& upper, const QString& lower);

  /// The two texts the Help menu shows: who made the program, and the terms of its use.
  static QString upperText();
  static QString lowerText();

  /// The entry that opens the box, without texts, from a window's own menu.
  static QString windowMenuEntry() { return QStringLiteral("&About Orvane..."); }
  /// The same entry in the Help menu, where the keyboard and a screen reader reach it
  /// (its letter differs from "&About", which stands beside it).
  static QString helpMenuEntry() { return QStringLiteral("About &Orvane..."); }

 private:
  QPlainTextEdit* upper_ = nullptr;
  QPlainTextEdit* lower_ = nullptr;
};

}  // namespace orvane
