// Stands in for a program named like the file browser: leaves a mark (the file named by
// FAKE_BROWSER_MARK) when it is started, so a test sees whether it was.
#include <cstdio>
#include <cstdlib>

int main() {
    const char *mark = std::getenv("FAKE_BROWSER_MARK");
    if (mark == nullptr) return 1;
    if (std::FILE *f = std::fopen(mark, "w")) std::fclose(f);
    return 0;
}
