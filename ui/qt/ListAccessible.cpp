#include "ui/qt/ListAccessible.h"

#include <QAbstractItemView>
#include <QComboBox>

#include "ui/WindowLayout.h"

namespace tarnwick {
namespace {

// The planner window's lists only: other windows' lists (a system dialog's) keep Qt's view.
QAccessibleInterface* MakeListAccessible(const QString& className, QObject* object) {
  if (className != QLatin1String("QComboBox")) return nullptr;
  auto* list = qobject_cast<QComboBox*>(object);
  if (list == nullptr ||
      list->window()->objectName() !=
          QLatin1String(kWindowName.data(), static_cast<qsizetype>(kWindowName.size()))) {
    return nullptr;
  }
  return new ListAccessible(*list);
}

}  // namespace

ListAccessible::ListAccessible(QComboBox& list) : QAccessibleWidget(&list, QAccessible::ComboBox) {}

QComboBox& ListAccessible::List() const { return *static_cast<QComboBox*>(widget()); }

QString ListAccessible::text(QAccessible::Text which) const {
  if (which == QAccessible::Value) return List().currentText();
  if (which == QAccessible::Name && !List().accessibleName().isEmpty()) {
    return List().accessibleName();
  }
  return QAccessibleWidget::text(which);
}

// The one child is the list of items that opens below the box.
int ListAccessible::childCount() const { return 1; }

QAccessibleInterface* ListAccessible::child(int index) const {
  return index == 0 ? QAccessible::queryAccessibleInterface(List().view()) : nullptr;
}

int ListAccessible::indexOfChild(const QAccessibleInterface* child) const {
  return child != nullptr && child->object() == List().view() ? 0 : -1;
}

QStringList ListAccessible::actionNames() const {
  return QAccessibleWidget::actionNames() << showMenuAction() << pressAction();
}

void ListAccessible::doAction(const QString& actionName) {
  if (actionName == showMenuAction() || actionName == pressAction()) {
    List().showPopup();
  } else {
    QAccessibleWidget::doAction(actionName);
  }
}

void InstallListAccessibility() { QAccessible::installFactory(&MakeListAccessible); }

}  // namespace tarnwick
