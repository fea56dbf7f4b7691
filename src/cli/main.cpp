#include <cstdio>

int main() {
    std::puts("velora-cli");
    return 0;
}
