#pragma once
// Builders every window lays its fields out with: a caption, the field and its unit
// label on one row of a group's grid. Fields are as wide as the font needs, and the
// read-only ones keep their look when the desktop's font or colours change.

#include <QList>
#include <QString>
#include <Qt>

class QBoxLayout;
class QGridLayout;
class QPushButton;
class QGroupBox;
class QLineEdit;
class QWidget;

namespace orvane::ui {

/// Every window of the program: a caption with the system menu and a close box, and
/// no minimise or maximise button.
inline constexpr Qt::WindowFlags kWindowFlags =
    Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

enum class FieldLook {
  Editable,
  ReadOnly,  // the window's own background: it shows a value, the pilot does not type
  Result,    // light yellow: a leg's key result
  Summary,   // light blue: a flight's key total
};

/// How many digits a number field shows without scrolling.
inline constexpr int kFieldDigits = 10;

/// The spacing between a grid's columns and rows in every window [pixels].
inline constexpr int kGridColumnSpacing = 6;
inline constexpr int kGridRowSpacing = 4;

/// A grid for rows of fields, with the spacing every window uses; laid on `parent`
/// when one is given.
QGridLayout* fieldGrid(QWidget* parent = nullptr);

/// A grid for a framed group's rows.
QGridLayout* groupGrid(QGroupBox* group);

/// Puts `field` on `row` of `grid` at `column`: its caption (the field's buddy, so a
/// screen reader announces the field by it) right-aligned before it and its unit label,
/// if any, after it. The widgets are named "label" + key, the field's own name and
/// "unit" + key.
void addRow(QGridLayout* grid, int row, int column, const QString& caption, QWidget* field, const QString& unit,
            const QString& key);

/// A number or text field named "field" + key, laid out by addRow, sized by the font.
QLineEdit* addField(QGridLayout* grid, int row, int column, const QString& caption, const QString& unit,
                    const QString& key, FieldLook look = FieldLook::Editable);

/// Gives a field the look (read-only, colours) and keeps it, and its width, up to date
/// when the desktop's palette or font changes.
void setFieldLook(QLineEdit* field, FieldLook look);

/// Keeps `field` at least as wide as `digits` digits of its own font need; follows
/// font changes.
void sizeByFont(QWidget* field, int digits = kFieldDigits);

/// A push button named `objectName` at the end of a row of buttons; the buttons of a
/// row share its width equally.
QPushButton* addButton(QBoxLayout* row, const QString& text, const QString& objectName);

/// Tab walks `widgets` in this order.
void chainTabOrder(const QList<QWidget*>& widgets);

}  // namespace orvane::ui
