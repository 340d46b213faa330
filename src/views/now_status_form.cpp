// SPDX-License-Identifier: MIT
#include "views/now_status_form.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include "acquisition/live_value_table.h"
#include "views/add_event.h"

namespace velk {
namespace {

const QColor kAboveColour(255, 237, 193);
const QColor kBelowColour(200, 255, 255);

constexpr int kRowHeights[kNowGridRows] = {20, 20, 25, 25, 25, 25, 25, 25, 25, 25, 25, 25};
constexpr int kColWidths[kNowGridCols] = {100, 90, 90, 90, 90, 90, 90, 90, 90, 100};

bool IsFixedCell(const QModelIndex& index) {
  return index.row() < kNowGridFixedRows || index.column() < kNowGridFixedCols;
}

// GMainDrawCell: the limit colours, then the text 2 px in from the top-left corner.
class TNowCellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const QRect r = option.rect;
    const QPalette& pal = option.palette;
    const bool selected = option.state & QStyle::State_Selected;
    const int mark = index.data(TNowGridModel::kMarkRole).toInt();
    QColor text = pal.color(QPalette::Text);
    if (IsFixedCell(index)) {
      painter->fillRect(r, pal.color(QPalette::Button));
      text = pal.color(QPalette::ButtonText);
    } else if (selected) {
      painter->fillRect(r, pal.color(QPalette::Highlight));
      text = pal.color(QPalette::HighlightedText);
    } else if (mark == kMarkAbove) {
      painter->fillRect(r, kAboveColour);
    } else if (mark == kMarkBelow) {
      painter->fillRect(r, kBelowColour);
    }
    painter->setPen(text);
    painter->setFont(option.font);
    painter->drawText(r.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
  }
};

QFont GridFont(const QFont& base) {
  QFont f = base;
  // Japanese item names need a Japanese face where the first choice is missing.
  f.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("IPAexGothic"),
                 QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic"),
                 QStringLiteral("TakaoGothic"), QStringLiteral("VL Gothic")});
  f.setPixelSize(15);
  return f;
}

}  // namespace

TNowGridModel::TNowGridModel(const TNowGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid) {}

int TNowGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kNowGridRows;
}

int TNowGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kNowGridCols;
}

QVariant TNowGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int c = index.column();
  const int r = index.row();
  if (role == Qt::DisplayRole) return QString::fromStdString(grid_.Text[c][r]);
  if (role == kMarkRole) return grid_.Mark[c][r];
  return {};
}

Qt::ItemFlags TNowGridModel::flags(const QModelIndex& index) const {
  if (IsFixedCell(index)) return Qt::ItemIsEnabled;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void TNowGridModel::Changed() {
  emit dataChanged(index(0, 0), index(kNowGridRows - 1, kNowGridCols - 1));
}

TNowStatusForm::TNowStatusForm(const TAppEnv& env, TStores& stores, QWidget* parent)
    : TItemBaseForm(QStringLiteral("現在状況"), parent), env_(env), stores_(stores) {
  FillNowGridFrame(stores_, slot_, grid_);
  for (int c = 1; c <= 8; ++c) {
    for (int r = kNowGridFixedRows; r < kNowGridRows; ++r) grid_.Text[c][r].clear();
  }

  // The grid.
  gridModel_ = new TNowGridModel(grid_, this);
  GMain = new QTableView(this);
  GMain->setObjectName(QStringLiteral("GMain"));
  GMain->setModel(gridModel_);
  GMain->setItemDelegate(new TNowCellDelegate(GMain));
  GMain->setFont(GridFont(GMain->font()));
  GMain->horizontalHeader()->hide();
  GMain->verticalHeader()->hide();
  GMain->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  GMain->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  GMain->verticalHeader()->setMinimumSectionSize(1);
  for (int r = 0; r < kNowGridRows; ++r) GMain->setRowHeight(r, kRowHeights[r]);
  int width = 0;
  for (int c = 0; c < kNowGridCols; ++c) {
    GMain->setColumnWidth(c, kColWidths[c]);
    width += kColWidths[c];
  }
  int height = 0;
  for (int h : kRowHeights) height += h;
  GMain->setSelectionMode(QAbstractItemView::ContiguousSelection);
  GMain->setSelectionBehavior(QAbstractItemView::SelectItems);
  GMain->setEditTriggers(QAbstractItemView::NoEditTriggers);
  GMain->setWordWrap(false);
  GMain->setCornerButtonEnabled(false);
  const int frame = 2 * GMain->frameWidth();
  GMain->setMinimumSize(width + frame + 2, height + frame + 2);
  auto* top = new QWidget(this);
  auto* topLayout = new QVBoxLayout(top);
  topLayout->setContentsMargins(4, 4, 4, 4);
  topLayout->addWidget(GMain, 0, Qt::AlignLeft | Qt::AlignTop);
  topLayout->addStretch(1);

  // Notices and memos.
  auto* notices = new QGroupBox(QStringLiteral("お知らせ"), this);
  LBInfo = new QListWidget(notices);
  LBInfo->setObjectName(QStringLiteral("LBInfo"));
  auto* noticeLayout = new QVBoxLayout(notices);
  noticeLayout->addWidget(LBInfo);

  auto* memos = new QGroupBox(QStringLiteral("メモ・出来事"), this);
  EEventLog = new QLineEdit(memos);
  EEventLog->setObjectName(QStringLiteral("EEventLog"));
  EEventLog->setMaxLength(50);
  QFont editFont = EEventLog->font();
  editFont.setPixelSize(16);
  EEventLog->setFont(editFont);
  BBWriteMemo = new QPushButton(QStringLiteral("メモ"), memos);
  BBWriteMemo->setObjectName(QStringLiteral("BBWriteMemo"));
  LBMemo = new QListWidget(memos);
  LBMemo->setObjectName(QStringLiteral("LBMemo"));
  auto* editLine = new QHBoxLayout;
  editLine->addWidget(EEventLog, 1);
  editLine->addWidget(BBWriteMemo);
  auto* memoLayout = new QVBoxLayout(memos);
  memoLayout->addLayout(editLine);
  memoLayout->addWidget(LBMemo);

  auto* bottom = new QWidget(this);
  auto* bottomLayout = new QHBoxLayout(bottom);
  bottomLayout->setContentsMargins(4, 0, 4, 4);
  bottomLayout->addWidget(notices, 1);
  bottomLayout->addWidget(memos, 1);

  auto* splitter = new QSplitter(Qt::Vertical, this);
  splitter->setObjectName(QStringLiteral("Splitter"));
  splitter->addWidget(top);
  splitter->addWidget(bottom);
  splitter->setStretchFactor(0, 0);
  splitter->setStretchFactor(1, 1);
  splitter->setChildrenCollapsible(false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(splitter);

  connect(BBWriteMemo, &QPushButton::clicked, this, &TNowStatusForm::BBWriteMemoClick);
  connect(EEventLog, &QLineEdit::returnPressed, this, &TNowStatusForm::BBWriteMemoClick);
}

void TNowStatusForm::RefreshView() {
  FillNowGridFrame(stores_, slot_, grid_);
  gridModel_->Changed();
}

void TNowStatusForm::SetRoomSlot(int slot) {
  TItemBaseForm::SetRoomSlot(slot);
  slot_ = slot;
  CalcNowStatus(stores_, slot_, stat_);
  FillNowGrid(stores_, slot_, stat_, grid_);
  gridModel_->Changed();
  CheckMemoList();
  RebuildNotices();
}

void TNowStatusForm::BBWriteMemoClick() {
  const QString text = EEventLog->text();
  if (!text.isEmpty()) {
    TEventBase event;
    event.Date = env_.Now();
    event.Text = text.toStdString();
    AddEvent(stores_, env_, slot_, event);
    EEventLog->clear();
  }
  CheckMemoList();
}

void TNowStatusForm::CheckMemoList() {
  if (!UpdateMemoList(stores_, slot_, eventDate_, lines_)) return;
  LBMemo->clear();
  for (const std::string& line : lines_) LBMemo->addItem(QString::fromStdString(line));
  LBMemo->scrollToTop();
}

void TNowStatusForm::RebuildNotices() {
  LBInfo->clear();
  if (!status_) return;
  for (const std::string& line : NoticeLines(stores_, status_->RoomLost)) {
    LBInfo->addItem(QString::fromStdString(line));
  }
}

}  // namespace velk
