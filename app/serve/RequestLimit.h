// What one connection may send for one request, counted as the bytes arrive:
// Qt HTTP Server 6.4 reads a request's whole body before the service sees
// the request, so the service counts ahead of it and refuses a body declared
// larger than it takes as soon as the head is in, and any request that grows
// past the head and body it takes (a chunked body says no length).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/serve/JobRequest.h"

namespace vantor::serve {

// The request line and headers a request may have.
inline constexpr std::size_t kMaxHeadBytes = 32 * 1024;

class TRequestLimit {
 public:
  // Takes the bytes that just arrived; false once the request is too large.
  bool Take(std::string_view fresh);
  // The request was read whole; the next one begins.
  void Next();
  // The request line as far as it arrived ("POST /api/v1/jobs HTTP/1.1"), for the log.
  std::string_view RequestLine() const;

 private:
  std::string head_;  // the head until its blank line
  bool headRead_ = false;
  std::uint64_t bytes_ = 0;
};

// The Content-Length of a request head (request line and headers), if it
// names one; a length past what 64 bits hold reads as the largest.
std::optional<std::uint64_t> DeclaredLength(std::string_view head);

}  // namespace vantor::serve
