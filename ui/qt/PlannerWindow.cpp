#include "ui/qt/PlannerWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/WindowBinding.h"
#include "ui/qt/Artwork.h"
#include "ui/qt/BannerPicture.h"
#include "ui/qt/ControlBinding.h"
#include "ui/qt/FrameBox.h"
#include "ui/qt/ListAccessible.h"
#include "ui/qt/WidgetLook.h"

namespace tarnwick {
namespace {

constexpr Qt::WindowFlags kFixedWindowFlags =
    Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
    Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect ToPixels(const TwipsRect& place) {
  return {TwipsToPixels(place.left), TwipsToPixels(place.top), TwipsToPixels(place.width),
          TwipsToPixels(place.height)};
}

Qt::Alignment HorizontalAlignment(TextAlignment alignment) {
  switch (alignment) {
    case TextAlignment::kRight:
      return Qt::AlignRight;
    case TextAlignment::kCentre:
      return Qt::AlignHCenter;
    case TextAlignment::kLeft:
      break;
  }
  return Qt::AlignLeft;
}

void SetPaletteColour(QWidget& widget, QPalette::ColorRole role, const QColor& colour) {
  QPalette palette = widget.palette();
  palette.setColor(role, colour);
  widget.setPalette(palette);
}

}  // namespace

PlannerWindow::PlannerWindow(MainWindowControls& controls, QWidget* parent)
    : QWidget(parent, kFixedWindowFlags), controls_(controls) {
  InstallListAccessibility();
  setObjectName(ToQString(kWindowName));
  setFont(FontFor(FontRole::kDialog));
  setFixedSize(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));
  setWindowIcon(WindowIcon());
  for (const ControlLayout& layout : MainWindowLayout()) AddControl(layout);
  ChainTabOrder();
  NameForAssistiveTools();
  controls_.frmMain.SetStateObserver([this] { ShowWindowState(); });
  ShowWindowState();
}

PlannerWindow::~PlannerWindow() {
  for (Control* control : controls_.All()) Unbind(*control);
}

void PlannerWindow::closeEvent(QCloseEvent* event) {
  UnloadByCloseBox(controls_.frmMain);
  event->accept();
}

void PlannerWindow::AddControl(const ControlLayout& layout) {
  QWidget* container = layout.container == kWindowName ? this : widgets_.at(layout.container);
  QWidget* widget = MakeWidget(layout, *container);
  widget->setObjectName(ToQString(layout.name));
  widget->setGeometry(ToPixels(layout.place));
  if (layout.font != FontRole::kDialog) widget->setFont(FontFor(layout.font));
  widgets_[layout.name] = widget;
}

QWidget* PlannerWindow::MakeWidget(const ControlLayout& layout, QWidget& container) {
  switch (layout.kind) {
    case ControlKind::kFrame:
      return new FrameBox(ToQString(layout.caption), &container);
    case ControlKind::kPicture:
      return new BannerPicture(&container);
    case ControlKind::kLabel:
      return MakeLabel(layout, container);
    case ControlKind::kTextBox:
      return MakeTextBox(layout, container);
    case ControlKind::kComboBox:
      return MakeComboBox(layout, container);
    case ControlKind::kCheckBox:
      return MakeCheckBox(layout, container);
    case ControlKind::kCommandButton:
      return MakeCommandButton(layout, container);
    case ControlKind::kWindow:
      break;
  }
  throw std::logic_error("no widget for " + std::string(layout.name));
}

QWidget* PlannerWindow::MakeLabel(const ControlLayout& layout, QWidget& container) {
  auto* label = new QLabel(&container);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(HorizontalAlignment(layout.alignment) | Qt::AlignTop);
  label->setText(ToQString(layout.caption));
  if (layout.background) {
    label->setAutoFillBackground(true);
    SetPaletteColour(*label, QPalette::Window, ToQColor(*layout.background));
  }
  if (layout.foreground)
    SetPaletteColour(*label, QPalette::WindowText, ToQColor(*layout.foreground));
  // Caption labels are the window's own; the others show a label of the model.
  if (Control* model = ModelControlFor(controls_, layout))
    BindLabel(*ControlAs<Label>(*model), *label);
  return label;
}

QWidget* PlannerWindow::MakeTextBox(const ControlLayout& layout, QWidget& container) {
  auto* edit = new QLineEdit(&container);
  edit->setAlignment(HorizontalAlignment(layout.alignment) | Qt::AlignVCenter);
  if (layout.background) SetPaletteColour(*edit, QPalette::Base, ToQColor(*layout.background));
  if (!layout.border) {
    edit->setFrame(false);
    edit->setTextMargins(0, 0, 0, 0);
  } else {
    // A framed box paints every pixel of itself: what lies beneath needs no repaint with it.
    edit->setAttribute(Qt::WA_OpaquePaintEvent);
  }
  BindTextBox(ModelControlAs<TextBox>(controls_, layout), *edit);
  return edit;
}

QWidget* PlannerWindow::MakeComboBox(const ControlLayout& layout, QWidget& container) {
  auto* combo = new QComboBox(&container);
  BindComboBox(ModelControlAs<ComboBox>(controls_, layout), *combo);
  return combo;
}

QWidget* PlannerWindow::MakeCheckBox(const ControlLayout& layout, QWidget& container) {
  auto* check = new QCheckBox(&container);
  BindCheckBox(ModelControlAs<CheckBox>(controls_, layout), *check);
  return check;
}

QWidget* PlannerWindow::MakeCommandButton(const ControlLayout& layout, QWidget& container) {
  auto* button = new QPushButton(&container);
  button->setAutoDefault(false);
  BindCommandButton(ModelControlAs<CommandButton>(controls_, layout), *button);
  return button;
}

void PlannerWindow::ChainTabOrder() {
  const std::vector<const ControlLayout*> stops = TabStopsInOrder();
  for (std::size_t i = 1; i < stops.size(); ++i) {
    setTabOrder(widgets_.at(stops[i - 1]->name), widgets_.at(stops[i]->name));
  }
  if (!stops.empty()) firstTabStop_ = widgets_.at(stops.front()->name);
}

// A caption is its box's buddy, which assistive tools read as the box's label; the name itself
// comes from the layout, since Qt would read the caption's colon as part of it.
void PlannerWindow::NameForAssistiveTools() {
  for (const ControlLayout& layout : MainWindowLayout()) {
    QWidget* widget = widgets_.at(layout.name);
    const std::string_view name = AccessibleName(layout);
    if (!name.empty()) widget->setAccessibleName(ToQString(name));
    if (auto* caption = qobject_cast<QLabel*>(widget); caption && !layout.labelFor.empty()) {
      caption->setBuddy(widgets_.at(layout.labelFor));
    }
  }
}

void PlannerWindow::ShowWindowState() {
  const Window& model = controls_.frmMain;
  setWindowTitle(QString::fromStdString(model.Caption()));
  if (model.IsUnloaded()) {
    close();
  } else if (model.IsVisible() && !isVisible()) {
    show();
    // The first stop of the tab order has the focus when the window opens, and it shows: Qt
    // draws focus frames only once the keyboard has moved the focus in a window.
    setAttribute(Qt::WA_KeyboardFocusChange);
    if (firstTabStop_ != nullptr) firstTabStop_->setFocus(Qt::TabFocusReason);
  }
}

}  // namespace tarnwick
