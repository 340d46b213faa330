// SPDX-License-Identifier: MIT
#include "acquisition/ccm_inventory_form.h"

#include <QAbstractTableModel>
#include <QBrush>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>
#include <cmath>
#include <vector>

namespace velk {

// The inventory as the list shows it: one snapshot of every line per refresh, so that sorting
// and painting between two refreshes see the same lines while datagrams keep arriving.
class TCCMInventoryModel : public QAbstractTableModel {
 public:
  static constexpr int kSortRole = Qt::UserRole;

  TCCMInventoryModel(const TCCMInventory& inventory, const TLiveValueTable& table,
                     const TRoomEst (&rooms)[kRoomSlots], QObject* parent)
      : QAbstractTableModel(parent), inventory_(inventory), table_(table), rooms_(rooms) {}

  void Refresh() {
    const int size = inventory_.Size();
    const int shown = static_cast<int>(rows_.size());
    // Entries keep their index, so the list only grows; lines already shown change in place.
    for (int i = 0; i < std::min(size, shown); ++i)
      rows_[static_cast<size_t>(i)] = InventoryRow(inventory_, i, table_, rooms_);
    if (shown > 0) emit dataChanged(index(0, 0), index(shown - 1, kInvColumnCount - 1));
    if (size > shown) {
      beginInsertRows({}, shown, size - 1);
      for (int i = shown; i < size; ++i)
        rows_.push_back(InventoryRow(inventory_, i, table_, rooms_));
      endInsertRows();
    }
  }

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
  }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : kInvColumnCount;
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    const TCCMInventoryRow& row = rows_.at(static_cast<size_t>(index.row()));
    const auto column = static_cast<size_t>(index.column());
    switch (role) {
      case Qt::DisplayRole:
        return QString::fromStdString(row.Text.at(column));
      case kSortRole: {
        const double number = row.SortNumber.at(column);
        if (std::isnan(number)) return QString::fromStdString(row.Text.at(column));
        return number;
      }
      case Qt::TextAlignmentRole:
        if (column == kInvRoom || column == kInvRegion || column == kInvOrder ||
            column == kInvValue || column == kInvPerMinute)
          return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
      case Qt::BackgroundRole:
        // A key that feeds nothing stands out: the usual answer to "why does my room get nothing".
        if (!row.Feeds) return QBrush(QColor(255, 236, 200));
        return {};
      default:
        return {};
    }
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    if (section < 0 || section >= kInvColumnCount) return {};
    return QString::fromStdString(InventoryColumnCaption(section));
  }

 private:
  const TCCMInventory& inventory_;
  const TLiveValueTable& table_;
  const TRoomEst (&rooms_)[kRoomSlots];
  std::vector<TCCMInventoryRow> rows_;
};

TCCMInventoryForm::TCCMInventoryForm(const TCCMInventory& inventory, const TLiveValueTable& table,
                                     const TRoomEst (&rooms)[kRoomSlots], QWidget* parent)
    : QWidget(parent, Qt::Window), inventory_(inventory) {
  setObjectName(QStringLiteral("CCMInventoryForm"));
  setWindowTitle(QStringLiteral("受信CCM一覧"));
  resize(980, 520);

  model_ = new TCCMInventoryModel(inventory, table, rooms, this);
  sorted_ = new QSortFilterProxyModel(this);
  sorted_->setSourceModel(model_);
  sorted_->setSortRole(TCCMInventoryModel::kSortRole);
  sorted_->setDynamicSortFilter(true);

  auto* note = new QLabel(
      QStringLiteral("起動後に受信したCCMを、種別・room・region・orderの組ごとに表示します。"
                     "対象項目が「該当なし」の行は、どの部屋の項目にも使われていません。"
                     "（受信のみ。このソフトウェアは何も送信しません）"),
      this);
  note->setWordWrap(true);

  GList = new QTableView(this);
  GList->setObjectName(QStringLiteral("GList"));
  GList->setModel(sorted_);
  GList->setSortingEnabled(true);
  GList->sortByColumn(kInvType, Qt::AscendingOrder);
  GList->setSelectionBehavior(QAbstractItemView::SelectRows);
  GList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  GList->setAlternatingRowColors(false);
  GList->verticalHeader()->setVisible(false);
  GList->verticalHeader()->setDefaultSectionSize(22);
  GList->horizontalHeader()->setStretchLastSection(true);
  const int widths[kInvColumnCount] = {170, 50, 55, 50, 115, 80, 75, 80, 200};
  for (int c = 0; c < kInvColumnCount; ++c) GList->setColumnWidth(c, widths[c]);

  LCount = new QLabel(this);
  LCount->setObjectName(QStringLiteral("LCount"));
  BBClose = new QPushButton(QStringLiteral("閉じる"), this);
  BBClose->setObjectName(QStringLiteral("BBClose"));
  connect(BBClose, &QPushButton::clicked, this, &QWidget::hide);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(LCount, 1);
  bottom->addWidget(BBClose);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(note);
  layout->addWidget(GList, 1);
  layout->addLayout(bottom);

  RefreshTimer.setInterval(1000);
  connect(&RefreshTimer, &QTimer::timeout, this, &TCCMInventoryForm::Refresh);
}

TCCMInventoryForm::~TCCMInventoryForm() = default;

void TCCMInventoryForm::Refresh() {
  model_->Refresh();
  QString count = QStringLiteral("%1 件").arg(inventory_.Size());
  if (inventory_.Dropped() > 0) {
    count += QStringLiteral("（上限 %1 件を超えたため、最も長く受信のない %2 件を削除）")
                 .arg(kInventoryCapacity)
                 .arg(inventory_.Dropped());
  }
  LCount->setText(count);
}

void TCCMInventoryForm::showEvent(QShowEvent* event) {
  Refresh();
  RefreshTimer.start();
  QWidget::showEvent(event);
}

void TCCMInventoryForm::hideEvent(QHideEvent* event) {
  RefreshTimer.stop();
  QWidget::hideEvent(event);
}

}  // namespace velk
