#include "document/ReadAbort.h"

namespace {
bool g_abort = false;
}

void RaiseReadAbort() { g_abort = true; }

bool TakeReadAbort()
{
    bool was = g_abort;
    g_abort = false;
    return was;
}
