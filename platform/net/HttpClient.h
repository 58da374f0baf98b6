#pragma once
// One HTTP/1.0 GET at a time, blocking the calling thread until it ends.
#include <cstdint>
#include <vector>

#include "platform/rtl/SysUtils.h"

struct THttpResponse {
    // True when the server sent a complete response, whatever its status: the caller
    // decides what a 404 means. False for every failure to get one (ErrorText says why).
    bool Success = false;
    int StatusCode = 0;   // 0 without a response
    String Body;
    String ErrorText;
};

class THttpClient {
public:
    // Extra request lines "Name: value", sent as given (an Accept or User-Agent given
    // here replaces the default one).
    std::vector<String> Headers;
    // Limits in milliseconds (0: none): to set up the connection, and for the whole request. A
    // server that accepts and never answers ends in a failure once TimeoutMs is spent.
    uint32_t ConnectTimeoutMs = 10000;
    uint32_t TimeoutMs = 30000;

    // GET of an http:// or https:// URL over HTTP/1.0: no cookies, no proxy, redirects
    // not followed (a 3xx comes back as it is). Never throws for network failures.
    THttpResponse Get(const String& url) const;
};
