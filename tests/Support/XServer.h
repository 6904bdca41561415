// XServer.h - private X servers for tests. Xvfb is started with -displayfd:
// the server picks a free display number itself and writes it back once it
// takes connections, so test processes running side by side never race for
// a number and never share a server.
//
// A pixel or display suite calls TestUsePrivateDisplay() in its SetUp: the
// test process gets one server of its own (1280 x 1024, 24 bits), made its
// DISPLAY, which lives as long as the process and ends with it, also when
// the process crashes. The program harness starts one server per test with
// TestStartXServer.
//
// State: the process's private server (started once, ended at exit).
#pragma once

#include <string>

struct TestXServer {
  int pid = -1;
  std::string display;  // ":<number>"
};

// Starts Xvfb with one screen of the size. False when it cannot be started
// or does not take connections within the time; why then says which.
bool TestStartXServer(int width, int height, double seconds, TestXServer* server, std::string* why);
// Ends the server (SIGTERM, a grace time, then SIGKILL) and reaps it.
void TestStopXServer(TestXServer* server);

// This process's private display, started on the first call and set as
// DISPLAY. False when it cannot be started; why then says why.
bool TestUsePrivateDisplay(std::string* why = nullptr);
