// Must not build: the jumper knowledge reaching up into the window. The test that builds this
// passes only when the compiler cannot find the window's header from the jumpers library.
#include "window/mainwindow.h"

int main()
{
    return 0;
}
