#pragma once

#include <QString>
#include <string_view>

class QWidget;

namespace orvane::ui {

/// The caption of every message box: the base name of the program's executable.
QString programName();

/// A modal message box with a warning icon and one OK button, owned by `owner` (the
/// main window), captioned with the program's name. Returns when the pilot confirms.
void showMessage(QWidget* owner, std::string_view text);
void showMessage(QWidget* owner, const QString& text);

}  // namespace orvane::ui
