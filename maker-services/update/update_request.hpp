#pragma once

#include <windows.h>

#include <winhttp.h>

#include <string>

#include "maker-services/update/update_status.hpp"
#include "maker-services/update/version.hpp"

namespace quarn::update {

inline constexpr DWORD k_update_timeout_ms = 10'000;

// Where the feed is fetched from. The program always uses
// default_update_endpoint(); tests point a check at a local server by
// building another one in code. Nothing the user can set (command line,
// settings, registry) reaches it.
struct UpdateEndpoint {
    std::wstring host;
    INTERNET_PORT port = 443;
    DWORD timeout_ms = k_update_timeout_ms;
};

[[nodiscard]] UpdateEndpoint default_update_endpoint();

// The scheme a proxy's request for credentials is answered with, from the
// schemes it offers: Negotiate or NTLM, which sign in as the user running
// the program without asking for anything. Basic and Digest want a name and
// a password the program does not have: 0, and the check fails as before.
[[nodiscard]] DWORD proxy_scheme(DWORD supported) noexcept;

// One HTTPS GET of the feed, on the calling thread: certificate checks on,
// no redirects followed, status 200 only, the body capped before it is
// parsed. Every handle is closed before it returns.
[[nodiscard]] UpdateResult fetch_update(const UpdateEndpoint& endpoint, Version running) noexcept;

} // namespace quarn::update
