#pragma once

#include <QString>
#include <string_view>

class QWidget;

namespace orvane::ui {

/// The caption of every message box: the program's name as its windows write it
/// ("Orvane"), whatever the executable is called (the command is "orvane").
QString programName();

/// A modal message box with a warning icon and one OK button, owned by `owner` (the
/// main window), captioned with the program's name. Returns when the pilot confirms.
void showMessage(QWidget* owner, std::string_view text);
void showMessage(QWidget* owner, const QString& text);

}  // namespace orvane::ui
