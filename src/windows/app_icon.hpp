#pragma once

#include <QIcon>
#include <QImage>
#include <QSize>

namespace orvane {

/// The program's icon: a dark-blue airplane seen from above, at 16, 32 and 64 pixels.
QIcon appIcon();

inline constexpr QSize kSplashPictureSize(411, 276);

/// The start-up picture, kSplashPictureSize; null should the program's copy be damaged.
QImage splashPicture();

}  // namespace orvane
