#pragma once

#include <QAccessibleWidget>

class QComboBox;

namespace tarnwick {

// A drop-down list as assistive tools see it: named by its accessible name (its caption), its
// value the selected item. Qt's own view of a list on Linux gives the selected item as the name
// too, which leaves the list's caption to a relation that not every tool reads.
class ListAccessible final : public QAccessibleWidget {
 public:
  explicit ListAccessible(QComboBox& list);

  QString text(QAccessible::Text which) const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QStringList actionNames() const override;
  void doAction(const QString& actionName) override;

 private:
  QComboBox& List() const;
};

// Makes every drop-down list of the planner's window appear as a ListAccessible. Installing it
// again does nothing.
void InstallListAccessibility();

}  // namespace tarnwick
