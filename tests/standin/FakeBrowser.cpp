// Stands in for a program named like the file browser: makes the file FAKE_BROWSER_MARK names.
#include <cstdio>
#include <cstdlib>

int main() {
    const char *mark = std::getenv("FAKE_BROWSER_MARK");
    if (std::FILE *f = mark ? std::fopen(mark, "w") : nullptr) std::fclose(f);
}
