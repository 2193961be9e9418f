// A view of cells as assistive technology sees it (AT-SPI on Linux): a table whose cells are the view's
// cells, named by the program, checked when marked, focused with the keyboard focus. The interfaces are
// made when assistive technology first asks for them, never at start-up.
#include <QAccessible>
#include <QAccessibleWidget>
#include <vector>

#include "platform/qt/qt_window.h"

namespace platform::qt {
namespace {

class ViewTable;

class CellInterface : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  CellInterface(GraphicView* view, int index) : view_(view), index_(index) {}

  bool isValid() const override { return view_ != nullptr && view_->Cells() != nullptr && index_ < Count(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return view_->window()->windowHandle(); }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(view_); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name ? QString::fromStdString(Cell().name) : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    const QRect local = view_->CellRect(Cell());
    return QRect(view_->mapToGlobal(local.topLeft()), local.size());
  }
  QAccessible::Role role() const override { return QAccessible::Cell; }
  QAccessible::State state() const override {
    QAccessible::State state;
    state.focusable = true;
    state.focused = view_->hasFocus() && view_->Cells()->FocusedCell() == index_;
    state.checkable = true;
    state.checked = Cell().checked;
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this)
                                                   : nullptr;
  }

  bool isSelected() const override { return false; }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return Cell().column; }
  int rowIndex() const override { return Cell().row; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return parent(); }

 private:
  int Count() const { return view_->Cells()->CellCount(); }
  ViewCell Cell() const { return view_->Cells()->Cell(index_); }

  GraphicView* view_;
  int index_;
};

class ViewTable : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit ViewTable(GraphicView* view) : QAccessibleWidget(view, QAccessible::Table), view_(view) {}
  ~ViewTable() override {
    for (const QAccessible::Id id : cellIds_) {
      if (id != 0) QAccessible::deleteAccessibleInterface(id);
    }
  }

  int childCount() const override { return Cells().CellCount(); }
  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= childCount()) return nullptr;
    if (cellIds_.size() != static_cast<std::size_t>(childCount())) cellIds_.assign(childCount(), 0);
    QAccessible::Id& id = cellIds_[static_cast<std::size_t>(index)];
    if (id == 0) id = QAccessible::registerAccessibleInterface(new CellInterface(view_, index));
    return QAccessible::accessibleInterface(id);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    auto* cell = child ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
    return cell ? Cells().CellAt(cell->rowIndex(), cell->columnIndex()) : -1;
  }
  QAccessibleInterface* focusChild() const override {
    const int focused = Cells().FocusedCell();
    return view_->hasFocus() && focused >= 0 ? child(focused) : nullptr;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const QPoint point = view_->mapFromGlobal(QPoint(x, y));
    for (int index = 0; index < childCount(); ++index) {
      if (view_->CellRect(Cells().Cell(index)).contains(point)) return child(index);
    }
    return nullptr;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override {
    return child(Cells().CellAt(row, column));
  }
  int selectedCellCount() const override { return 0; }
  QList<QAccessibleInterface*> selectedCells() const override { return {}; }
  QString columnDescription(int) const override { return {}; }
  QString rowDescription(int) const override { return {}; }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  int columnCount() const override { return Cells().ColumnCount(); }
  int rowCount() const override { return Cells().RowCount(); }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

 private:
  const ViewCells& Cells() const { return *view_->Cells(); }

  GraphicView* view_;
  mutable std::vector<QAccessible::Id> cellIds_;  // 0 until assistive technology asks for the cell
};

QAccessibleInterface* ViewTableFactory(const QString&, QObject* object) {
  auto* view = dynamic_cast<GraphicView*>(object);
  return view && view->Cells() ? new ViewTable(view) : nullptr;
}

}  // namespace

void InstallViewAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(&ViewTableFactory);
    return true;
  }();
  (void)installed;
}

void AnnounceFocusedCell(GraphicView& view) {
  const int focused = view.Cells() ? view.Cells()->FocusedCell() : -1;
  if (!QAccessible::isActive() || !view.hasFocus() || focused < 0) return;
  QAccessibleEvent event(&view, QAccessible::Focus);
  event.setChild(focused);
  QAccessible::updateAccessibility(&event);
}

void AnnounceCheckedChange(GraphicView& view, int cellIndex) {
  if (!QAccessible::isActive() || view.Cells() == nullptr || cellIndex < 0) return;
  QAccessible::State changed;
  changed.checked = true;
  QAccessibleStateChangeEvent event(&view, changed);
  event.setChild(cellIndex);
  QAccessible::updateAccessibility(&event);
}

}  // namespace platform::qt
