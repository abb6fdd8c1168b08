#pragma once

#include <QIcon>
#include <QPixmap>

namespace orvane {

/// The program's icon: a dark-blue airplane seen from above, at 16, 32 and 256 pixels.
QIcon appIcon();

/// The start-up picture, 411 by 276 pixels.
QPixmap splashPicture();

}  // namespace orvane
