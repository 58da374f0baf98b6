#include "platform/net/HttpClient.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace {

// curl_global_init is not thread-safe and must run once before any other call.
CURLcode GlobalInitResult() {
    static std::once_flag once;
    static CURLcode result = CURLE_OK;
    std::call_once(once, [] { result = curl_global_init(CURL_GLOBAL_DEFAULT); });
    return result;
}

size_t AppendBody(char* data, size_t size, size_t count, void* user) {
    static_cast<String*>(user)->append(data, size * count);
    return size * count;
}

struct TCurlDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct TSlistDeleter {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

} // namespace

THttpResponse THttpClient::Get(const String& url) const {
    THttpResponse response;
    if (const CURLcode init = GlobalInitResult(); init != CURLE_OK) {
        response.ErrorText = String("HTTP client could not start: ") + curl_easy_strerror(init);
        return response;
    }
    std::unique_ptr<CURL, TCurlDeleter> curl(curl_easy_init());
    if (!curl) {
        response.ErrorText = "HTTP client could not start";
        return response;
    }
    std::unique_ptr<curl_slist, TSlistDeleter> headers;
    for (const String& h : Headers) {
        curl_slist* next = curl_slist_append(headers.get(), h.c_str());
        if (!next) {
            response.ErrorText = "HTTP client out of memory";
            return response;
        }
        headers.release();
        headers.reset(next);
    }

    char errorBuffer[CURL_ERROR_SIZE] = {};
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(c, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    // The request goes straight to the server: proxies named in the environment are not
    // used, so the answer comes from the host in the URL.
    curl_easy_setopt(c, CURLOPT_PROXY, "");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
    // Time-outs by signal would disturb the program's other threads.
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(ConnectTimeoutMs));
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, static_cast<long>(TimeoutMs));
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &AppendBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &response.Body);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorBuffer);

    const CURLcode rc = curl_easy_perform(c);
    if (rc != CURLE_OK) {
        response.Body.clear();
        response.ErrorText = errorBuffer[0] != '\0' ? String(errorBuffer) : String(curl_easy_strerror(rc));
        return response;
    }
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    response.StatusCode = static_cast<int>(status);
    response.Success = true;
    return response;
}
