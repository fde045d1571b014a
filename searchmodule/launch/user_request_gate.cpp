#include "user_request_gate.h"

#include "logging/logging.h"

namespace {

// Opens the gate again however the request ends.
class GatePass {
public:
    explicit GatePass(bool& busy) : busy_(busy) { busy_ = true; }
    ~GatePass() { busy_ = false; }
    GatePass(const GatePass&) = delete;
    GatePass& operator=(const GatePass&) = delete;

private:
    bool& busy_;
};

} // namespace

HRESULT UserRequestGate::Run(const char* request, const std::function<HRESULT()>& work)
{
    if (busy_) {
        LogFormatted("%s refused: another request is asking the user\n", request);
        return HRESULT_FROM_WIN32(ERROR_BUSY);
    }
    const GatePass pass(busy_);
    return work();
}
