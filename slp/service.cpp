#include "service.h"

#include <cstring>

Service::Service() = default;

Service::Service(const char* url, const char*)
{
    if (url != nullptr) {
        const std::size_t size = std::strlen(url) + 1;
        url_ = std::make_unique<char[]>(size);
        std::memcpy(url_.get(), url, size);
    }
}

Service::~Service() = default;
