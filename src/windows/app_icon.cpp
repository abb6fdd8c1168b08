#include "windows/app_icon.hpp"

namespace orvane {

QIcon appIcon() {
  QIcon icon;
  for (const char* file : {":/orvane/icon-16.png", ":/orvane/icon-32.png", ":/orvane/icon-256.png"}) {
    icon.addFile(QString::fromLatin1(file));
  }
  return icon;
}

QPixmap splashPicture() { return QPixmap(QStringLiteral(":/orvane/splash.ppm")); }

}  // namespace orvane
