// A lower library's unit that calls the library above it, which the link
// check must name; its own value is what the upper library may call.
int HighAnswer();

int LowValue() { return 41; }
int LowAsksHigh() { return HighAnswer(); }
