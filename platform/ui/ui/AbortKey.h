#pragma once

// The abort check of long operations: takes the input waiting for the
// application and reports whether Escape was among it. Every other key (and
// mouse input, so no handler starts inside the operation) is swallowed.
namespace ui {

bool escapePressed();

} // namespace ui
