#include "base/named_semaphore.h"

NamedSemaphore::NamedSemaphore(const std::string& name)
    : handle_(::CreateSemaphoreA(nullptr, 1, 1, name.c_str()))
{
}

bool NamedSemaphore::Lock(unsigned long timeoutMs)
{
    return handle_ && ::WaitForSingleObject(handle_.Get(), timeoutMs) == WAIT_OBJECT_0;
}

void NamedSemaphore::Unlock()
{
    if (handle_)
        ::ReleaseSemaphore(handle_.Get(), 1, nullptr);
}
