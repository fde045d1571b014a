#pragma once

#include "probestar_api.h"

#include <memory>

// A service found on the network, known by its service URL.
class PROBESTAR_API Service {
public:
    Service();
    // Copies url; the second text is accepted for compatibility and not kept.
    Service(const char* url, const char* unused);
    virtual ~Service();
    Service(const Service&) = delete;
    Service& operator=(const Service&) = delete;

    // The service URL; null for a service made without one.
    const char* GetURL() const { return url_.get(); }

private:
    // Keeps the class abstract: only kinds of service are made.
    virtual void dummy() = 0;

    std::unique_ptr<char[]> url_;
    std::unique_ptr<char[]> reserved_; // never set; freed if it ever is
};
