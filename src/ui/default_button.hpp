#pragma once

class QPushButton;

namespace orvane::ui {

/// Moves the default look (the button Enter presses) from `from` to `to`, and gives
/// `to` the focus: the window points the pilot at the natural next step.
void handDefaultButton(QPushButton* from, QPushButton* to);

}  // namespace orvane::ui
