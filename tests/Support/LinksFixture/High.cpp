// The upper library: calling down into the lower one is allowed.
int LowValue();

int HighAnswer() { return LowValue() + 1; }
