#include "windows/app_icon.hpp"

#include <QImage>
#include <QResource>

namespace orvane {
namespace {

// The pictures are read before the planner is shown, so they are stored as raw pixels,
// row after row with no header: no decoder runs at start-up. scripts/render-art.sh
// writes them at the sizes given here.
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
// Four bytes a pixel, so that every row starts on a word and the picture can be drawn
// where it lies in the program, without a copy of its own.
constexpr RawPicture kSplash = {":/orvane/splash.rgbx", kSplashPictureSize.width(), kSplashPictureSize.height(),
                                QImage::Format_RGBX8888, 4};

// The picture where it lies in the program's resources (read-only: a change would
// copy it), or a copy when it does not lie on a word; a null image when the resource is
// not the size its picture must have.
QImage rawImage(const RawPicture& picture) {
  const QResource resource(QString::fromLatin1(picture.file));
  const qsizetype rowBytes = qsizetype(picture.width) * picture.bytesPerPixel;
  if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression ||
      resource.size() != rowBytes * picture.height) {
    return {};
  }
  const uchar* pixels = resource.data();
  const QImage inPlace(pixels, picture.width, picture.height, rowBytes, picture.format);
  if (reinterpret_cast<quintptr>(pixels) % alignof(quint32) == 0) return inPlace;
  return inPlace.copy();
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
