// The program's accessible interfaces, put ahead of the toolkit's.
#include "accessibleinterfaces.h"

#include "announcer.h"
#include "listaccessible.h"

#include "layout/boardaccessible.h"

#include <QAccessible>

void installAccessibleInterfaces()
{
    // The toolkit asks the factory installed last first, and installs each one once.
    QAccessible::installFactory(listAccessibleFactory);
    QAccessible::installFactory(announcerAccessibleFactory);
    QAccessible::installFactory(boardAccessibleFactory);
}
