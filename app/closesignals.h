#pragma once

#include <functional>

// Termination requests from outside (SIGTERM at logout, SIGINT, SIGHUP on
// Linux) close the program the way its close button does, so every run ends
// with everything it started. Call once the application object exists;
// close runs on the GUI thread.
void closeOnTerminationRequests(std::function<void()> close);
