// SPDX-License-Identifier: MIT
#include "app/site_preview_window.h"

#include <QVBoxLayout>

#include "base/date_format.h"
#include "base/number_format.h"
#include "views/sun_times.h"

namespace velk {

SitePreviewWindow::SitePreviewWindow(const TAppEnv& env, TStores& stores, QWidget* parent)
    : QWidget(parent), env_(env), stores_(stores), text_(new QLabel(this)) {
  setWindowTitle(QStringLiteral("UECS-VELK Ver.1.1.0.0"));
  auto* layout = new QVBoxLayout(this);
  text_->setObjectName(QStringLiteral("LSite"));
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(text_);
  resize(420, 200);
  Refresh();
}

void SitePreviewWindow::Refresh() {
  const TSiteEst& site = stores_.SiteEst;
  const TRoomInfo& info = stores_.RoomInfo[1];
  const std::string text = "日付: " + FormatDateTime(kFmtJpDate, env_.Today()) +
                           "\n緯度: " + FormatFloat(site.Latitude) +
                           "\n経度: " + FormatFloat(site.Longitude) +
                           "\n標高: " + std::to_string(site.Elevation) + " m" +
                           "\n日の出: " + FormatDateTime(kFmtClock, info.Sunrise) +
                           "\n日の入: " + FormatDateTime(kFmtClock, info.Sunset);
  text_->setText(QString::fromStdString(text));
}

}  // namespace velk
