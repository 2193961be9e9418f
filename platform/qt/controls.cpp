// One widget per control kind, wired so that user actions reach the window's handler.
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QSignalBlocker>

#include "platform/qt/qt_window.h"

namespace platform::qt {
namespace {

// The status bar's field: inset from the strip's edges, its text clear of the field's shaded edge.
constexpr int kStatusInset = 2;
constexpr int kStatusFieldPadding = 3;

// The flag pictures are 18 or 19 x 12 pixels.
constexpr int kImageComboIconWidth = 19;
constexpr int kImageComboIconHeight = 12;

QColor ToQColor(Colour colour) {
  return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

void ApplyColours(QWidget& widget, const ControlSpec& spec) {
  QPalette palette = widget.palette();
  if (spec.textColour != kDefaultColour) palette.setColor(QPalette::WindowText, ToQColor(spec.textColour));
  if (spec.background != kDefaultColour) {
    palette.setColor(QPalette::Window, ToQColor(spec.background));
    widget.setAutoFillBackground(true);
  }
  widget.setPalette(palette);
}

QWidget* CreateLabel(QWidget* parent, const ControlSpec& spec) {
  auto* label = new QLabel(QString::fromStdString(spec.text), parent);
  label->setTextFormat(Qt::PlainText);  // shown as given: no markup, no mnemonics
  label->setWordWrap(true);             // static text wraps at word boundaries
  const Qt::Alignment across = spec.kind == ControlKind::kCentredLabel ? Qt::AlignHCenter : Qt::AlignLeft;
  label->setAlignment(across | Qt::AlignTop);
  ApplyColours(*label, spec);
  return label;
}

QWidget* CreateButton(QtWindow& window, QWidget* parent, const ControlSpec& spec) {
  auto* button = new PushButton(QString::fromStdString(spec.text), parent);
  const int id = spec.id;
  QObject::connect(button, &QPushButton::clicked, button,
                   [&window, id] { window.DeliverCommand(id, kNotifyClicked); });
  return button;
}

QWidget* CreateCheckBox(QtWindow& window, QWidget* parent, const ControlSpec& spec) {
  auto* box = new QCheckBox(QString::fromStdString(spec.text), parent);
  const int id = spec.id;
  // clicked, not toggled: a check set by the program is no user action.
  QObject::connect(box, &QCheckBox::clicked, box,
                   [&window, id] { window.DeliverCommand(id, kNotifyClicked); });
  return box;
}

QWidget* CreateImageCombo(QtWindow& window, QWidget* parent, const ControlSpec& spec) {
  auto* combo = new QComboBox(parent);
  combo->setIconSize(QSize(kImageComboIconWidth, kImageComboIconHeight));
  const int id = spec.id;
  QObject::connect(combo, &QComboBox::activated, combo,
                   [&window, id] { window.DeliverCommand(id, kNotifySelectionConfirmed); });
  return combo;
}

// Typing tells the program nothing: it reads the text when it needs it.
QWidget* CreateEdit(QWidget* parent, const ControlSpec& spec) {
  auto* edit = new QLineEdit(QString::fromStdString(spec.text), parent);
  edit->setFrame(true);
  return edit;
}

QWidget* CreateStatusBar(QWidget* parent, const ControlSpec& spec) {
  auto* bar = new StatusBar(parent);
  bar->SetText(QString::fromStdString(spec.text));
  return bar;
}

// The status bar lies along the bottom edge whatever the table says.
QRect StatusBarRect(const QWidget& parent, const QWidget& bar) {
  const int height = bar.sizeHint().height();
  return QRect(0, parent.height() - height, parent.width(), height);
}

QWidget* CreateWidget(QtWindow& window, QWidget* parent, const ControlSpec& spec, const QRect& rect) {
  const int id = spec.id;
  switch (spec.kind) {
    case ControlKind::kLabel:
    case ControlKind::kCentredLabel:
      return CreateLabel(parent, spec);
    case ControlKind::kButton:
      return CreateButton(window, parent, spec);
    case ControlKind::kCheckBox:
      return CreateCheckBox(window, parent, spec);
    case ControlKind::kEditCombo:
      return new EditCombo(parent,
                           [&window, id](int notification) { window.DeliverCommand(id, notification); });
    case ControlKind::kImageCombo:
      return CreateImageCombo(window, parent, spec);
    case ControlKind::kEdit:
      return CreateEdit(parent, spec);
    case ControlKind::kGraphicView:
      return new GraphicView(parent, rect.width(), rect.height(),
                             [&window, id](const MouseEvent& event) { window.DeliverViewMouse(id, event); });
    case ControlKind::kStatusBar:
      return CreateStatusBar(parent, spec);
  }
  return nullptr;
}

bool IsCombo(ControlKind kind) {
  return kind == ControlKind::kEditCombo || kind == ControlKind::kImageCombo;
}

}  // namespace

QWidget* CreateControl(QtWindow& window, QWidget* parent, const ControlSpec& spec, const QFont& font,
                       const QRect& rect) {
  QWidget* widget = CreateWidget(window, parent, spec, rect);
  widget->setFont(font);
  widget->setObjectName(QString::number(spec.id));
  if (spec.kind == ControlKind::kStatusBar) {
    widget->setGeometry(StatusBarRect(*parent, *widget));
  } else if (IsCombo(spec.kind)) {
    // The table's height includes the dropped-down list; the closed box is as high as its font needs.
    widget->setGeometry(rect.x(), rect.y(), rect.width(), widget->sizeHint().height());
  } else {
    widget->setGeometry(rect);
  }
  return widget;
}

StatusBar::StatusBar(QWidget* parent) : QWidget(parent), field_(new QLabel(this)) {
  field_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  field_->setLineWidth(1);
  field_->setTextFormat(Qt::PlainText);
  field_->setIndent(kStatusFieldPadding);
}

void StatusBar::SetText(const QString& text) {
  field_->setText(text);
}

QString StatusBar::Text() const {
  return field_->text();
}

QSize StatusBar::sizeHint() const {
  return {0, fontMetrics().height() + 2 * (kStatusInset + kStatusFieldPadding)};
}

void StatusBar::resizeEvent(QResizeEvent* event) {
  field_->setGeometry(rect().adjusted(kStatusInset, kStatusInset, -kStatusInset, -kStatusInset));
  QWidget::resizeEvent(event);
}

PushButton::PushButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
  setAutoDefault(false);
}

void PushButton::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !event->isAutoRepeat()) {
    click();
    return;
  }
  QPushButton::keyPressEvent(event);
}

EditCombo::EditCombo(QWidget* parent, std::function<void(int)> notify) : QComboBox(parent), notify_(notify) {
  auto* edit = new QLineEdit(this);
  // Connected before the combo's own handler so that its selection of a matching item is recognised.
  connect(edit, &QLineEdit::editingFinished, this, [this] { finishingEdit_ = true; });
  setEditable(true);
  setLineEdit(edit);
  connect(edit, &QLineEdit::editingFinished, this, [this] { finishingEdit_ = false; });
  setInsertPolicy(QComboBox::NoInsert);  // typed text never becomes an item
  setCompleter(nullptr);                 // nor is it completed from the items
  setCurrentIndex(-1);
  connect(edit, &QLineEdit::textEdited, this, [this] { typed_ = true; });
  connect(this, &QComboBox::currentIndexChanged, this, [this] {
    if (!finishingEdit_) typed_ = false;
  });
  connect(this, &QComboBox::activated, this, [this] {
    if (finishingEdit_) return;
    typed_ = false;
    notify_(kNotifySelectionConfirmed);
  });
}

void EditCombo::AddSorted(const QString& text) {
  int position = 0;
  while (position < count() && QString::compare(itemText(position), text, Qt::CaseInsensitive) <= 0)
    ++position;
  const int selected = currentIndex();
  const QString editText = currentText();
  const QSignalBlocker blocker(this);
  insertItem(position, text);
  // Qt selects the first item put into an empty box; the classic control selects nothing.
  if (selected < 0) {
    setCurrentIndex(-1);
    setEditText(editText);
  }
}

void EditCombo::SelectPosition(int position) {
  const QSignalBlocker blocker(this);
  setCurrentIndex(position >= 0 && position < count() ? position : -1);
  typed_ = false;
}

void EditCombo::ClearAll() {
  const QSignalBlocker blocker(this);
  clear();
  clearEditText();
  typed_ = false;
}

}  // namespace platform::qt
