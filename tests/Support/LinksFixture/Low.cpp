// The lowest library: one unit calls the library right above it, another
// the one above that; the link check must name both. Its own value is what
// the libraries above may call.
int MidValue();
int HighAnswer();

int LowValue() { return 41; }
int LowAsksMid() { return MidValue(); }
int LowAsksHigh() { return HighAnswer(); }
