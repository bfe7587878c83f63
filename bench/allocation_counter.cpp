#include "allocation_counter.hpp"

#include <atomic>
#include <cstddef>
#include <new>

// glibc's own entry points: the interposed functions below count, then hand over to them.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* block);
}

namespace {

std::atomic<std::uint64_t> allocations{0};

void count() noexcept { allocations.fetch_add(1, std::memory_order_relaxed); }

void* allocate(std::size_t size) {
  count();
  if (void* block = __libc_malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}

void* allocate_aligned(std::size_t size, std::align_val_t alignment) {
  count();
  if (void* block = __libc_memalign(static_cast<std::size_t>(alignment), size == 0 ? 1 : size))
    return block;
  throw std::bad_alloc();
}

}  // namespace

namespace bench {

std::uint64_t allocation_count() noexcept { return allocations.load(std::memory_order_relaxed); }

}  // namespace bench

// The C allocator. The executable's definitions take precedence over the C library's for every
// shared object in the process, once exported: the build hides symbols by default.
#define VED_EXPORTED __attribute__((visibility("default")))

extern "C" {

VED_EXPORTED void* malloc(std::size_t size) {
  count();
  return __libc_malloc(size);
}

VED_EXPORTED void* calloc(std::size_t count_of, std::size_t size) {
  count();
  return __libc_calloc(count_of, size);
}

VED_EXPORTED void* realloc(void* block, std::size_t size) {
  count();
  return __libc_realloc(block, size);
}

VED_EXPORTED void free(void* block) { __libc_free(block); }

}  // extern "C"

// operator new in all its forms; the deletes match them.
VED_EXPORTED void* operator new(std::size_t size) { return allocate(size); }
VED_EXPORTED void* operator new[](std::size_t size) { return allocate(size); }
VED_EXPORTED void* operator new(std::size_t size, std::align_val_t alignment) {
  return allocate_aligned(size, alignment);
}
VED_EXPORTED void* operator new[](std::size_t size, std::align_val_t alignment) {
  return allocate_aligned(size, alignment);
}
VED_EXPORTED void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  count();
  return __libc_malloc(size == 0 ? 1 : size);
}
VED_EXPORTED void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  count();
  return __libc_malloc(size == 0 ? 1 : size);
}
VED_EXPORTED void* operator new(std::size_t size, std::align_val_t alignment,
                                const std::nothrow_t&) noexcept {
  count();
  return __libc_memalign(static_cast<std::size_t>(alignment), size == 0 ? 1 : size);
}
VED_EXPORTED void* operator new[](std::size_t size, std::align_val_t alignment,
                                  const std::nothrow_t&) noexcept {
  count();
  return __libc_memalign(static_cast<std::size_t>(alignment), size == 0 ? 1 : size);
}

VED_EXPORTED void operator delete(void* block) noexcept { __libc_free(block); }
VED_EXPORTED void operator delete[](void* block) noexcept { __libc_free(block); }
VED_EXPORTED void operator delete(void* block, std::size_t) noexcept { __libc_free(block); }
VED_EXPORTED void operator delete[](void* block, std::size_t) noexcept { __libc_free(block); }
VED_EXPORTED void operator delete(void* block, std::align_val_t) noexcept { __libc_free(block); }
VED_EXPORTED void operator delete[](void* block, std::align_val_t) noexcept { __libc_free(block); }
VED_EXPORTED void operator delete(void* block, std::size_t, std::align_val_t) noexcept {
  __libc_free(block);
}
VED_EXPORTED void operator delete[](void* block, std::size_t, std::align_val_t) noexcept {
  __libc_free(block);
}
VED_EXPORTED void operator delete(void* block, const std::nothrow_t&) noexcept {
  __libc_free(block);
}
VED_EXPORTED void operator delete[](void* block, const std::nothrow_t&) noexcept {
  __libc_free(block);
}
VED_EXPORTED void operator delete(void* block, std::align_val_t, const std::nothrow_t&) noexcept {
  __libc_free(block);
}
VED_EXPORTED void operator delete[](void* block, std::align_val_t, const std::nothrow_t&) noexcept {
  __libc_free(block);
}
