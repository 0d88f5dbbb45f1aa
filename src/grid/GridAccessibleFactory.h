#pragma once

class QAccessibleInterface;
class QObject;
class QString;

// Makes the accessible table of a grid, for QAccessible::installFactory; nullptr for any
// other object.
QAccessibleInterface* gridAccessibleFactory(const QString& className, QObject* object);
