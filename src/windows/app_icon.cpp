#include "windows/app_icon.hpp"

#include <QImage>
#include <QResource>
#include <cstring>

namespace orvane {
namespace {

// The pictures are read before the planner is shown, so they are stored as raw pixels,
// row after row with no header, and copied as they are: no decoder runs at start-up.
// scripts/render-art.sh writes them at the sizes given here.
struct RawPicture {
  const char* file;
  int width;
  int height;
  QImage::Format format;
  int bytesPerPixel;
};

constexpr RawPicture kIcons[] = {
    {":/orvane/icon-16.rgba", 16, 16, QImage::Format_RGBA8888, 4},
    {":/orvane/icon-32.rgba", 32, 32, QImage::Format_RGBA8888, 4},
    // 64 pixels is the largest a taskbar or window switcher draws from the window; the
    // desktop's menus take the installed icons, up to 256 pixels.
    {":/orvane/icon-64.rgba", 64, 64, QImage::Format_RGBA8888, 4},
};
constexpr RawPicture kSplash = {":/orvane/splash.rgb", kSplashPictureSize.width(), kSplashPictureSize.height(),
                                QImage::Format_RGB888, 3};

// A null image when the resource is not the size its picture must have.
QImage rawImage(const RawPicture& picture) {
  const QResource resource(QString::fromLatin1(picture.file));
  const qsizetype rowBytes = qsizetype(picture.width) * picture.bytesPerPixel;
  if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression ||
      resource.size() != rowBytes * picture.height) {
    return {};
  }
  QImage image(picture.width, picture.height, picture.format);
  if (image.isNull()) return {};
  for (int y = 0; y < picture.height; ++y) {
    std::memcpy(image.scanLine(y), resource.data() + y * rowBytes, static_cast<size_t>(rowBytes));
  }
  return image;
}

}  // namespace

QIcon appIcon() {
  QIcon icon;
  for (const RawPicture& picture : kIcons) {
    const QImage image = rawImage(picture);
    if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
  }
  return icon;
}

QImage splashPicture() { return rawImage(kSplash); }

}  // namespace orvane
