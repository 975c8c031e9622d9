// The board as a screen reader sees it: a picture whose captions are its children.
#pragma once

class QAccessibleInterface;
class QObject;
class QString;

/// The interface of a BoardWidget, for the toolkit's factory list; null for anything else. The
/// board is a picture named and described as its widget is; its children are the captions in the
/// widget's order, each named by its text and described by its tool tip, exactly as stored. The
/// captions with a tool tip can take the focus, and the one the keyboard is on has it while the
/// board has the focus.
QAccessibleInterface *boardAccessibleFactory(const QString &className, QObject *object);
