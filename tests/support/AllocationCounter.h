#pragma once

// Counts heap allocations, to check that code meant for the audio thread allocates nothing.
//
// In sanitizer builds the count comes from the sanitizer's allocation hook, which sees malloc as
// well as operator new and keeps the sanitizer's own new/delete checks for every other test of
// the executable. In plain builds this library replaces the global operator new and delete for
// the executable that links it; they forward to malloc and free, so nothing else changes.
namespace testsupport {

// Counts the allocations the calling thread makes while the scope lives; other threads are not
// counted. Scopes do not nest: a new scope starts the count again.
class CountAllocations
{
public:
  CountAllocations() noexcept;
  ~CountAllocations();
  CountAllocations(const CountAllocations&) = delete;
  CountAllocations& operator=(const CountAllocations&) = delete;

  // Allocations made by this thread since the scope began.
  long Count() const noexcept;
};

// True when a new inside a counting scope is counted in this executable (in sanitizer builds: the
// sanitizer took the hook). A test that expects no allocation checks this first, so that a
// counter that cannot see anything never passes for a clean audio path.
bool AllocationCountingWorks();

} // namespace testsupport
