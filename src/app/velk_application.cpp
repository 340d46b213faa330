// SPDX-License-Identifier: MIT
#include "app/velk_application.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
#include <exception>

#include "app/artwork.h"

namespace velk {

void ShowErrorBox(const QString& text) {
  QMessageBox::critical(nullptr, QStringLiteral("UECS-VELK"), text);
}

TVelkApplication::TVelkApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("UECS-VELK"));
  setApplicationVersion(QStringLiteral("1.1.0.0"));
  // Matches the installed uecs-velk.desktop, so the desktop shows the menu entry's name and icon.
  setDesktopFileName(QStringLiteral("uecs-velk"));
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128, 256}) icon.addPixmap(QPixmap::fromImage(DrawAppIcon(size)));
  setWindowIcon(icon);
}

bool TVelkApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    ShowErrorBox(QString::fromLocal8Bit(e.what()));
  } catch (...) {
    ShowErrorBox(QStringLiteral("不明なエラーが発生しました"));
  }
  return false;
}

void LoadJapaneseTranslations(QCoreApplication& app) {
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  for (const char* name : {"qtbase_ja", "qt_ja"}) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QString::fromLatin1(name), folder)) {
      QCoreApplication::installTranslator(translator);
    } else {
      delete translator;
    }
  }
}

}  // namespace velk
