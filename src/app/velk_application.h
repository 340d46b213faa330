// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>

namespace velk {

// The application object: an exception escaping an event handler is shown in an error box and
// the event loop goes on.
class TVelkApplication : public QApplication {
  Q_OBJECT
 public:
  TVelkApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

// Qt's own texts (standard buttons, dialogs) in Japanese.
void LoadJapaneseTranslations(QCoreApplication& app);

void ShowErrorBox(const QString& text);

}  // namespace velk
