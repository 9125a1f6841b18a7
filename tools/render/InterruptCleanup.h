#pragma once

namespace kelmo::render {

// Removes what the tools leave while they work when a signal ends the process (every signal whose
// default action ends it and that can be caught: an interrupt, a broken pipe, a file size limit, a
// crash, ...), then lets the signal end the process as it would have: the half-written temporary
// output file, and the temporary folder the tool made for itself with what it holds.
// One file and one folder at a time; their paths are kept in fixed buffers so that the handler
// only makes system calls.

// Installs the handlers. Called once by a command-line program before it makes anything.
void InstallInterruptCleanup();

// The temporary file to remove on an interrupt; a null or too long path clears it.
void SetInterruptCleanupPath(const char* path) noexcept;

// The temporary folder to remove on an interrupt, with the files and folders in it; a null or
// too long path clears it.
void SetInterruptCleanupFolder(const char* path) noexcept;

} // namespace kelmo::render
