// The program's replacements of the global operators, in a file of their
// own: where the compiler sees them beside allocations it inlines them and
// takes free() for a mismatch of new.
#include "AllocationCount.h"

#include <cstdlib>
#include <new>

namespace {
long Allocations = 0;
}  // namespace

long AllocationCount() { return Allocations; }

void* operator new(std::size_t size) {
  ++Allocations;
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
