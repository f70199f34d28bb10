// An allocator for the track plan's large arrays. A run fills its megabytes at once, and
// taking them from the kernel already mapped, in one call, costs far less than a page fault
// for every 4 KB page the first time it is written. Elsewhere, or for small arrays, it is
// the standard allocator.
#ifndef COMPILER_MEMORIA_POPOLATA_H_
#define COMPILER_MEMORIA_POPOLATA_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace scenario {

template <typename T>
struct memoria_popolata {
  using value_type = T;
  // Below this the standard allocator's heap already has the pages.
  static constexpr std::size_t soglia = std::size_t{256} << 10;

  memoria_popolata() = default;
  template <typename U>
  memoria_popolata(const memoria_popolata<U>&) noexcept {}

  T* allocate(std::size_t n) {
#if defined(__linux__) && defined(MAP_POPULATE)
    if (n > 0 && n <= SIZE_MAX / sizeof(T) && n * sizeof(T) >= soglia) {
      void* p = ::mmap(nullptr, n * sizeof(T), PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
      if (p == MAP_FAILED) throw std::bad_alloc();
      return static_cast<T*>(p);
    }
#endif
    return std::allocator<T>{}.allocate(n);
  }

  void deallocate(T* p, std::size_t n) noexcept {
#if defined(__linux__) && defined(MAP_POPULATE)
    if (n * sizeof(T) >= soglia) {
      ::munmap(p, n * sizeof(T));
      return;
    }
#endif
    std::allocator<T>{}.deallocate(p, n);
  }

  template <typename U>
  bool operator==(const memoria_popolata<U>&) const noexcept {
    return true;
  }
};

}  // namespace scenario

#endif  // COMPILER_MEMORIA_POPOLATA_H_
