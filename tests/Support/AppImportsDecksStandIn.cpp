// AppImportsDecksStandIn.cpp - the FTP test (answering what the test set)
// of App/AppImports.h as the application shell's tests see it. Kept apart
// from the other stand-ins so that a test program linking the real deck
// screens takes it from there.
#include "tests/Support/AppImportsStandIn.h"

int PublishDoFtpInternetTest() { return AppImportsNextFtpAnswerForTests(); }
