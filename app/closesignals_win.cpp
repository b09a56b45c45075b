#include "app/closesignals.h"

// Windows ends a program through its window messages, which already reach
// the close handling of the window.
void closeOnTerminationRequests(std::function<void()>) { }
