#include "maker-services/update/update_request.hpp"

#include "identity/product.hpp"
#include "win/unique.hpp"
#include "win/wide.hpp"

namespace quarn::update {
namespace {

constexpr DWORD k_read_chunk = 8192;

UpdateResult fetch(const UpdateEndpoint& endpoint, Version running) {
    const std::string host = win::narrow(endpoint.host);
    const UpdateResult unreachable = UpdateFailure{unreachable_text(host)};
    const UpdateResult unreadable = UpdateFailure{k_feed_unreadable_text};

    const std::wstring user_agent = win::widen(identity::k_maker_name) + L" update check";
    win::UniqueInternet session(::WinHttpOpen(user_agent.c_str(), WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY,
                                              WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session) return unreachable;
    const int timeout = static_cast<int>(endpoint.timeout_ms);
    if (!::WinHttpSetTimeouts(session.get(), timeout, timeout, timeout, timeout)) return unreachable;

    win::UniqueInternet connection(::WinHttpConnect(session.get(), endpoint.host.c_str(), endpoint.port, 0));
    if (!connection) return unreachable;
    const std::wstring path = L"/updates/" + win::widen(identity::k_product_id) + L".json";
    win::UniqueInternet request(::WinHttpOpenRequest(connection.get(), L"GET", path.c_str(), nullptr,
                                                     WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                                     WINHTTP_FLAG_SECURE));
    if (!request) return unreachable;
    // Requests inherit the session's time-outs on Windows; Wine's do not, and
    // Wine waits for the TLS greeting by the time-out for the response, so
    // the request gets both: a silent server must never keep the worker.
    DWORD response_timeout = endpoint.timeout_ms;
    if (!::WinHttpSetTimeouts(request.get(), timeout, timeout, timeout, timeout) ||
        !::WinHttpSetOption(request.get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &response_timeout,
                            sizeof response_timeout))
        return unreachable;

    // A redirect comes back as its own status and so fails below. Cookies are
    // switched off, and no credentials go to the server: nothing but the GET
    // itself is sent. A proxy that asks who the user is gets an answer
    // below; switching authentication off altogether would also refuse it,
    // and the check could never pass such a proxy.
    DWORD never = WINHTTP_OPTION_REDIRECT_POLICY_NEVER;
    if (!::WinHttpSetOption(request.get(), WINHTTP_OPTION_REDIRECT_POLICY, &never, sizeof never))
        return unreachable;
    DWORD disabled = WINHTTP_DISABLE_COOKIES | WINHTTP_DISABLE_REDIRECTS;
    ::WinHttpSetOption(request.get(), WINHTTP_OPTION_DISABLE_FEATURE, &disabled, sizeof disabled);

    DWORD status = 0;
    for (bool answered_proxy = false;;) {
        if (!::WinHttpSendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0,
                                  0, 0) ||
            !::WinHttpReceiveResponse(request.get(), nullptr))
            return unreachable;
        DWORD size = sizeof status;
        if (!::WinHttpQueryHeaders(request.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                                   WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX))
            return unreachable;
        if (status != HTTP_STATUS_PROXY_AUTH_REQ || answered_proxy) break;
        // Once, with the signed-in user's own credentials (no name and no
        // password given); a second refusal is reported as the proxy's.
        answered_proxy = true;
        DWORD schemes = 0;
        DWORD first = 0;
        DWORD target = 0;
        if (!::WinHttpQueryAuthSchemes(request.get(), &schemes, &first, &target) ||
            target != WINHTTP_AUTH_TARGET_PROXY)
            break;
        DWORD scheme = proxy_scheme(schemes);
        if (scheme == 0) break;
        // The logged-on user's credentials go to the proxy only when the
        // policy allows them for any host; this request talks to no other.
        DWORD low = WINHTTP_AUTOLOGON_SECURITY_LEVEL_LOW;
        if (!::WinHttpSetOption(request.get(), WINHTTP_OPTION_AUTOLOGON_POLICY, &low, sizeof low) ||
            !::WinHttpSetCredentials(request.get(), WINHTTP_AUTH_TARGET_PROXY, scheme, nullptr, nullptr,
                                     nullptr))
            break;
    }
    if (status != 200) return UpdateFailure{server_error_text(host, status)};

    std::string body;
    char chunk[k_read_chunk];
    for (;;) {
        DWORD got = 0;
        if (!::WinHttpReadData(request.get(), chunk, sizeof chunk, &got)) return unreadable;
        if (got == 0) break;
        if (body.size() + got > k_max_feed_bytes) return unreadable;
        body.append(chunk, got);
    }

    auto feed = parse_feed(body, identity::k_product_id);
    if (!feed) return unreadable;
    return choose_update(*feed, running);
}

} // namespace

DWORD proxy_scheme(DWORD supported) noexcept {
    if (supported & WINHTTP_AUTH_SCHEME_NEGOTIATE) return WINHTTP_AUTH_SCHEME_NEGOTIATE;
    if (supported & WINHTTP_AUTH_SCHEME_NTLM) return WINHTTP_AUTH_SCHEME_NTLM;
    return 0;
}

UpdateEndpoint default_update_endpoint() {
    return UpdateEndpoint{win::widen(identity::k_update_host)};
}

UpdateResult fetch_update(const UpdateEndpoint& endpoint, Version running) noexcept {
    try {
        return fetch(endpoint, running);
    } catch (...) {
        // Only an allocation can fail here; the check then simply did not work.
        return UpdateFailure{k_feed_unreadable_text};
    }
}

} // namespace quarn::update
