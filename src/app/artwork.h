// SPDX-License-Identifier: MIT
// The pictures of the application, drawn in code: logo, splash picture and header icons.
#pragma once

#include <QImage>
#include <QPixmap>

namespace velk {

QPixmap DrawLogo(int width, int height);
QPixmap DrawSplashPicture(int width, int height);
// The program's icon (window, desktop menu): a greenhouse under the sun on a rounded tile,
// transparent around the tile.
QImage DrawAppIcon(int size);

enum class THeaderIcon { Clock, Sprout, Sunrise, Sunset };
QPixmap DrawHeaderIcon(THeaderIcon icon, int size);

}  // namespace velk
