// SPDX-License-Identifier: MIT
// Writes the program's icon as <folder>/<N>x<N>/apps/uecs-velk.png for each size N given, the
// layout of the hicolor icon theme. Run at build time; the package installs its output.
#include <QDir>
#include <QImage>
#include <cstdio>
#include <cstdlib>

#include "app/artwork.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: velk-icon-gen FOLDER SIZE...\n");
    return 2;
  }
  // The icon is drawn into an image with paths and gradients only: no screen, no fonts, so no
  // application object is needed.
  const QString root = QString::fromLocal8Bit(argv[1]);
  for (int i = 2; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    if (size < 16 || size > 1024) {
      std::fprintf(stderr, "velk-icon-gen: bad size %s\n", argv[i]);
      return 2;
    }
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
    const QString file = folder + QStringLiteral("/uecs-velk.png");
    if (!QDir().mkpath(folder) || !velk::DrawAppIcon(size).save(file, "PNG")) {
      std::fprintf(stderr, "velk-icon-gen: cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
