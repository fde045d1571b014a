#include "user_request_gate.h"

#include "logging/logging.h"

#include <exception>

// Holds the gate for one piece of work and opens it again however the work ends; work that
// waited meanwhile is woken then.
class UserRequestGate::Pass {
public:
    explicit Pass(UserRequestGate& gate) : gate_(gate) { gate_.busy_ = true; }
    ~Pass()
    {
        gate_.busy_ = false;
        if (!gate_.waiting_.empty() && gate_.wakeWaiting_)
            gate_.wakeWaiting_();
    }
    Pass(const Pass&) = delete;
    Pass& operator=(const Pass&) = delete;

private:
    UserRequestGate& gate_;
};

UserRequestGate::UserRequestGate(std::function<void()> wakeWaiting) : wakeWaiting_(std::move(wakeWaiting)) {}

HRESULT UserRequestGate::Run(const char* request, const std::function<HRESULT()>& work)
{
    if (busy_) {
        LogFormatted("%s refused: another request is asking the user\n", request);
        return HRESULT_FROM_WIN32(ERROR_BUSY);
    }
    const Pass pass(*this);
    return work();
}

void UserRequestGate::RunOrWait(const char* what, std::function<void()> work)
{
    waiting_.push_back(std::move(work));
    if (busy_)
        LogFormatted("%s waits for the request that is asking the user\n", what);
    else
        RunWaiting();
}

void UserRequestGate::RunWaiting()
{
    while (!busy_ && !waiting_.empty()) {
        const std::function<void()> work = std::move(waiting_.front());
        waiting_.pop_front();
        const Pass pass(*this);
        try {
            work();
        } catch (const std::exception& error) {
            // The work after it still runs.
            LogFormatted("UserRequestGate - Exception caught: %s \n", error.what());
        }
    }
}
