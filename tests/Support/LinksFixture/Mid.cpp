// The middle library: calling down into the lowest one is allowed, calling
// the top one is not.
int LowValue();
const char* HighLabel();

int MidValue() { return LowValue() + 1; }
const char* MidLabel() { return HighLabel(); }
