// SPDX-License-Identifier: MIT
// The pictures of the application, drawn in code: logo, splash picture and header icons.
#pragma once

#include <QPixmap>

namespace velk {

QPixmap DrawLogo(int width, int height);
QPixmap DrawSplashPicture(int width, int height);

enum class THeaderIcon { Clock, Sprout, Sunrise, Sunset };
QPixmap DrawHeaderIcon(THeaderIcon icon, int size);

}  // namespace velk
