// The top library: calling down into both libraries below is allowed.
int LowValue();
int MidValue();

int HighAnswer() { return LowValue() + MidValue(); }
const char* HighLabel() { return "high"; }
