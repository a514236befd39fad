// The portable build is made on a newer glibc than the oldest it runs on (2.34). The C++ library
// and the unwinder linked into the program reach for two calls that glibc gained later: defined
// here, in the program, the linker binds them to these and the program asks its glibc for neither.
// Linked only into the portable programs (cmake/portable_package.cmake).
#include <dlfcn.h>
#include <link.h>
#include <sys/random.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

struct Search {
    std::uintptr_t address;
    dl_find_object* result;
    bool found;
};

// The loader tells where objects are as numbers.
void* address_of(std::uintptr_t address) {
    return reinterpret_cast<void*>(address);  // NOLINT(performance-no-int-to-ptr)
}

// One loaded object: takes it when one of its loaded segments holds the address.
int look_in(dl_phdr_info* info, std::size_t, void* data) {
    auto& search = *static_cast<Search*>(data);
    std::uintptr_t start = UINTPTR_MAX, end = 0;
    bool holds = false;
    void* eh_frame = nullptr;
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& segment = info->dlpi_phdr[i];
        const std::uintptr_t from = info->dlpi_addr + segment.p_vaddr;
        if (segment.p_type == PT_GNU_EH_FRAME) eh_frame = address_of(from);
        if (segment.p_type != PT_LOAD) continue;
        if (from < start) start = from;
        if (from + segment.p_memsz > end) end = from + segment.p_memsz;
        if (search.address >= from && search.address < from + segment.p_memsz) holds = true;
    }
    if (!holds) return 0;
    *search.result = dl_find_object{};
    search.result->dlfo_map_start = address_of(start);
    search.result->dlfo_map_end = address_of(end);
    search.result->dlfo_eh_frame = eh_frame;
    search.found = true;
    return 1;
}

}  // namespace

extern "C" {

// glibc 2.35's fast lookup of an address's object, which the unwinder uses to find where an
// exception's frame tables are; the older walk over the loaded objects finds the same.
int _dl_find_object(void* address, dl_find_object* result) noexcept {  // NOLINT(bugprone-reserved-identifier)
    Search search{reinterpret_cast<std::uintptr_t>(address), result, false};
    dl_iterate_phdr(look_in, &search);
    return search.found ? 0 : -1;
}

// glibc 2.36's random numbers, which std::random_device reads: the kernel's, as glibc gives them.
std::uint32_t arc4random() noexcept {
    std::uint32_t value = 0;
    auto* bytes = reinterpret_cast<unsigned char*>(&value);
    std::size_t got = 0;
    while (got < sizeof value) {
        const ssize_t n = getrandom(bytes + got, sizeof value - got, 0);
        if (n > 0) {
            got += static_cast<std::size_t>(n);
        } else if (n < 0 && errno != EINTR) {
            std::abort();  // as glibc does: there is no weaker randomness to fall back to
        }
    }
    return value;
}

}  // extern "C"
