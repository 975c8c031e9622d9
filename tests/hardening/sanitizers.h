// Whether this build runs under AddressSanitizer, which the tests of memory use must know.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool AddressSanitizerBuild = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool AddressSanitizerBuild = true;
#else
inline constexpr bool AddressSanitizerBuild = false;
#endif
#else
inline constexpr bool AddressSanitizerBuild = false;
#endif
