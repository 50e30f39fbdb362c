// The baseline of the window's start-up: a bare Qt Widgets window of the planner's size with one
// plain widget of the same class at the same place for every row of the planner's layout (group
// boxes, labels, line edits, combo boxes, a check box, push buttons), in the same style, and
// nothing else: no window model, no settings, no art, no simulator link. With
// TARNWICK_EXIT_WHEN_SHOWN=1 it ends after its first paint, as the planner does, so
// tools/measure-startup.sh can time the two alike.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QStyleFactory>
#include <QWidget>
#include <map>
#include <string_view>

#include "ui/WindowLayout.h"
#include "ui/qt/ExitWhenFirstPainted.h"

namespace {

QWidget* MakePlainWidget(const tarnwick::ControlLayout& layout, QWidget& container) {
  const QString text = QString::fromUtf8(layout.name.data(), static_cast<int>(layout.name.size()));
  switch (layout.kind) {
    case tarnwick::ControlKind::kFrame:
      return new QGroupBox(text, &container);
    case tarnwick::ControlKind::kTextBox:
      return new QLineEdit(text, &container);
    case tarnwick::ControlKind::kComboBox:
      return new QComboBox(&container);
    case tarnwick::ControlKind::kCheckBox:
      return new QCheckBox(text, &container);
    case tarnwick::ControlKind::kCommandButton:
      return new QPushButton(text, &container);
    case tarnwick::ControlKind::kPicture:
    case tarnwick::ControlKind::kLabel:
    case tarnwick::ControlKind::kWindow:
      break;
  }
  return new QLabel(text, &container);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QWidget window;
  window.setFixedSize(tarnwick::TwipsToPixels(tarnwick::kClientWidthTwips),
                      tarnwick::TwipsToPixels(tarnwick::kClientHeightTwips));
  std::map<std::string_view, QWidget*> widgets;
  for (const tarnwick::ControlLayout& layout : tarnwick::MainWindowLayout()) {
    QWidget* container =
        layout.container == tarnwick::kWindowName ? &window : widgets.at(layout.container);
    QWidget* widget = MakePlainWidget(layout, *container);
    const tarnwick::TwipsRect& place = layout.place;
    widget->setGeometry(tarnwick::TwipsToPixels(place.left), tarnwick::TwipsToPixels(place.top),
                        tarnwick::TwipsToPixels(place.width),
                        tarnwick::TwipsToPixels(place.height));
    widgets[layout.name] = widget;
  }
  if (tarnwick::ExitWhenFirstPainted::Asked()) new tarnwick::ExitWhenFirstPainted(window);
  window.show();
  return QApplication::exec();
}
