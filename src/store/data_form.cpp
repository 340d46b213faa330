// SPDX-License-Identifier: MIT
#include "store/data_form.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPaintEvent>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QVBoxLayout>
#include <algorithm>

namespace velk {

int TDataCheckTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : model_.RowCount();
}

int TDataCheckTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : model_.ColumnCount() - 1;
}

QVariant TDataCheckTableModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  return QString::fromStdString(model_.Cell(index.row(), index.column() + 1));
}

QVariant TDataCheckTableModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal) return QString::fromStdString(model_.Header(section + 1));
  return QString::fromStdString(model_.Cell(section, 0));
}

TDataForm::TDataForm(TStores& stores, QWidget* parent)
    : QWidget(parent, Qt::Window), stores_(stores) {
  setObjectName(QStringLiteral("DataForm"));
  setWindowTitle(QStringLiteral("Data Check"));
  resize(838, 618);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  PConsole = new QFrame(this);
  PConsole->setObjectName(QStringLiteral("PConsole"));
  PConsole->setFixedHeight(38);
  PConsole->setFrameStyle(QFrame::Panel | QFrame::Raised);
  auto* console = new QHBoxLayout(PConsole);
  console->setContentsMargins(6, 4, 6, 4);
  CBRoom = new QComboBox(PConsole);
  CBRoom->setObjectName(QStringLiteral("CBRoom"));
  CBRoom->addItems({QStringLiteral("File data"), QStringLiteral("Room #1"),
                    QStringLiteral("Room #2"), QStringLiteral("Room #3"), QStringLiteral("Room #4"),
                    QStringLiteral("Room #5")});
  CBRoom->setCurrentIndex(0);
  SBTimeD = new QPushButton(QStringLiteral("Time base"), PConsole);
  SBTimeD->setObjectName(QStringLiteral("SBTimeD"));
  SpeedButton1 = new QPushButton(QStringLiteral("Day base"), PConsole);
  SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
  auto* group = new QButtonGroup(this);
  for (QPushButton* b : {SBTimeD, SpeedButton1}) {
    b->setCheckable(true);
    group->addButton(b);
  }
  group->setExclusive(true);
  SBTimeD->setChecked(true);
  BBShow = new QPushButton(QStringLiteral("ShowData"), PConsole);
  BBShow->setObjectName(QStringLiteral("BBShow"));
  connect(BBShow, &QPushButton::clicked, this, &TDataForm::BBShowClick);
  console->addWidget(CBRoom);
  console->addWidget(SBTimeD);
  console->addWidget(SpeedButton1);
  console->addWidget(BBShow);
  console->addStretch(1);
  layout->addWidget(PConsole);

  SGData = new QTableView(this);
  SGData->setObjectName(QStringLiteral("SGData"));
  table_ = new TDataCheckTableModel(model_, this);
  SGData->setModel(table_);
  SGData->setShowGrid(false);
  SGData->setWordWrap(false);
  SGData->setStyleSheet(QStringLiteral("QTableView::item { border-bottom: 1px solid #d4d4d4; }"));
  QHeaderView* rows = SGData->verticalHeader();
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setMinimumSectionSize(1);
  rows->setDefaultSectionSize(18);
  // 100 pixels, or what a full date and time needs in the font in use.
  rows->setFixedWidth(std::max(
      100, rows->fontMetrics().horizontalAdvance(QStringLiteral("0000/00/00 00:00")) + 12));
  rows->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  QHeaderView* columns = SGData->horizontalHeader();
  columns->setSectionResizeMode(QHeaderView::Interactive);
  columns->setDefaultSectionSize(64);
  columns->setMinimumSectionSize(8);
  // The corner above column 0 carries its header "Time".
  corner_ = SGData->findChild<QAbstractButton*>();
  if (corner_) corner_->installEventFilter(this);
  layout->addWidget(SGData, 1);
}

TDataCheckBase TDataForm::PressedBase() const {
  return SpeedButton1->isChecked() ? TDataCheckBase::Day : TDataCheckBase::Time;
}

void TDataForm::LayOutColumns() {
  QHeaderView* columns = SGData->horizontalHeader();
  for (int c = 0; c < table_->columnCount(); ++c) columns->resizeSection(c, 64);
}

void TDataForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FormShow();
}

void TDataForm::FormShow() {
  table_->Reset([this] { model_.LayOut(PressedBase()); });
  LayOutColumns();
}

void TDataForm::BBShowClick() {
  const int slot = DataCheckSlot(CBRoom->currentIndex());
  table_->Reset([this, slot] { model_.Show(stores_.Dat(slot), PressedBase()); });
  LayOutColumns();
  SGData->scrollToTop();
}

bool TDataForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == corner_ && event->type() == QEvent::Paint) {
    QStylePainter painter(corner_);
    QStyleOptionHeader option;
    option.initFrom(corner_);
    option.rect = corner_->rect();
    option.text = QString::fromStdString(model_.Header(0));
    option.textAlignment = Qt::AlignCenter;
    option.position = QStyleOptionHeader::OnlyOneSection;
    painter.drawControl(QStyle::CE_Header, option);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace velk
