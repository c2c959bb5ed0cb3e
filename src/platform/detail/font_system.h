#pragma once
// The font machinery (fontconfig, and Pango and Cairo above it) keeps process-wide caches.
// Calling this before first use releases them at exit, so leak checkers see a clean process.
namespace quorvex2::detail {

void ReleaseFontSystemAtExit();

}  // namespace quorvex2::detail
