#pragma once
// Hooks through which the library's support code (debug channel, crash
// protection) plugs into the core at start-up. Until something is installed,
// every hook is a safe no-op, so the core and its tests run on their own.

namespace tbpr::hooks {

using DiagnosticSink = void (*)(const char *line);
using ProtectionCall = void (*)();

// Installs the receiver of diagnostic lines (nullptr restores the no-op).
void setDiagnosticSink(DiagnosticSink sink);

// Formats one diagnostic line (printf style, numbers locale-independent) and
// hands it to the installed sink.
void diagnostic(const char *fmt, ...) __attribute__((format(printf, 1, 2)));

// Installs the bracket opened and closed around every export.
void setProtection(ProtectionCall start, ProtectionCall end);

// Opens the protection bracket for its lifetime: start once, end once.
class ProtectionScope {
public:
    ProtectionScope();
    ~ProtectionScope();
    ProtectionScope(const ProtectionScope &) = delete;
    ProtectionScope &operator=(const ProtectionScope &) = delete;

private:
    ProtectionCall end_;
};

} // namespace tbpr::hooks
