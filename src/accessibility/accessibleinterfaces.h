// What a screen reader is told of the program's own widgets: the interfaces that stand in for the
// toolkit's where the toolkit tells too little.
#pragma once

/// Puts the program's interfaces ahead of the toolkit's: the lists (listaccessible.h), the
/// window's status line (announcer.h) and the board with its captions (layout/boardaccessible.h).
/// Called before the widgets they are for are made, since the toolkit keeps the interface it
/// made first for a widget; calling again does nothing.
void installAccessibleInterfaces();
