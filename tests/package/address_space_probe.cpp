// Built as the exe is, and run under Wine: takes address space in 256 MiB blocks and succeeds
// once it holds more than 2 GiB, some of it above the 2 GiB line, which a 32-bit program gets
// only when it is large-address-aware.
#include <windows.h>

#include <cstdint>
#include <cstdio>

int main() {
    constexpr SIZE_T kBlock = SIZE_T{256} << 20;
    std::uint64_t taken = 0;
    bool above = false;
    while (taken <= (std::uint64_t{2} << 30)) {
        void* block = VirtualAlloc(nullptr, kBlock, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        if (block == nullptr) {
            break;
        }
        taken += kBlock;
        above =
            above || reinterpret_cast<std::uintptr_t>(block) + kBlock > (std::uintptr_t{1} << 31);
    }
    std::printf("took %llu MiB, some above 2 GiB: %s\n",
                static_cast<unsigned long long>(taken >> 20), above ? "yes" : "no");
    return taken > (std::uint64_t{2} << 30) && above ? 0 : 1;
}
