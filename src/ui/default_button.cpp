#include "ui/default_button.hpp"

#include <QPushButton>

namespace orvane::ui {

void handDefaultButton(QPushButton* from, QPushButton* to) {
  if (from != nullptr && from != to) from->setDefault(false);
  to->setDefault(true);
  to->setFocus(Qt::OtherFocusReason);
}

}  // namespace orvane::ui
