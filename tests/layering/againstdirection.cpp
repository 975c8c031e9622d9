// Must not build: the jumper knowledge reaching the board drawing, which it may know only as data.
// The test that builds this passes only when the compiler cannot find the drawing's header from
// the jumpers library.
#include "layout/board.h"

int main()
{
    return 0;
}
