#pragma once

#include <functional>

// Runs a task on the calling thread once the message being handled is done: what must not
// happen inside a window notification (browsing destroys the view that is notifying) is posted
// and runs afterwards. False when it could not be posted (the task is then dropped).
bool PostToThisThread(std::function<void()> task);
