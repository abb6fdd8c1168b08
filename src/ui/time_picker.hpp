#pragma once
// The take-off time picker's manners: one click into the hour, minutes or seconds
// selects that part, so the digits the pilot then types replace it. Qt's own editor
// only puts the cursor there, and a typed digit that would make the part too long is
// dropped, so that it took a double click.

class QDateTimeEdit;

namespace orvane::ui {

/// A click (not a drag) into `picker`'s text selects the part it landed in.
void selectPartOnClick(QDateTimeEdit* picker);

}  // namespace orvane::ui
