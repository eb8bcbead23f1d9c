#pragma once
// A record that meets an error the format cannot recover from (a Y without its X)
// raises this; the open then fails as a whole instead of keeping what was read.
void RaiseReadAbort();
// True once after RaiseReadAbort; clears the flag.
bool TakeReadAbort();
