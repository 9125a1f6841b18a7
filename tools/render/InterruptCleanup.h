#pragma once

namespace kelmo::render {

// Removes the half-written temporary output file when a signal ends the process (every signal
// whose default action ends it and that can be caught: an interrupt, a broken pipe, a file size
// limit, a crash, ...), then lets the signal end the process as it would have.
// One temporary file at a time; the path is kept in a fixed buffer so that the handler only
// calls unlink.

// Installs the handlers. Called once by the command-line program before rendering.
void InstallInterruptCleanup();

// The temporary file to remove on an interrupt; a null or too long path clears it.
void SetInterruptCleanupPath(const char* path) noexcept;

} // namespace kelmo::render
