// What a screen reader learns of a list: its caption, and the entry it shows as its text.
#pragma once

class QAccessibleInterface;
class QObject;
class QString;

/// The interface of a list (QComboBox), for the toolkit's factory list; null for anything else.
/// It answers a screen reader with the list's caption as its name and the entry it shows as a
/// read-only text, so that a reader says the entry with the caption when the list gets the focus.
/// The toolkit on this platform gives a list no such text: a reader that asks for the value of a
/// closed list hears nothing.
QAccessibleInterface *listAccessibleFactory(const QString &className, QObject *object);
