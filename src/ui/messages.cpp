#include "ui/messages.hpp"

#include <QMessageBox>

namespace orvane::ui {

QString programName() { return QStringLiteral("Orvane"); }

void showMessage(QWidget* owner, const QString& text) {
  QMessageBox box(QMessageBox::Warning, programName(), text, QMessageBox::Ok, owner);
  box.setObjectName(QStringLiteral("programMessage"));
  box.exec();
}

void showMessage(QWidget* owner, std::string_view text) {
  showMessage(owner, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace orvane::ui
