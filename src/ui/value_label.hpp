#pragma once
// Labels that show a value (the route, the zulu time, an airport's name) and what a
// screen reader hears of them: the value itself, and nothing when they are empty.
// Qt's own label falls back to its caption or its group's title when its text is
// empty, so an empty airport-name line would be announced as "Departure Coordinates".

class QLabel;

namespace orvane::ui {

/// Makes `label`'s accessible name its text as it stands, the empty text included;
/// an accessible name set on it still wins.
void announceValue(QLabel* label);

}  // namespace orvane::ui
