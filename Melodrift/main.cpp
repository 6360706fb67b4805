#include "Foundation/Bundle.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    std::string name = Bundle::main().infoDictionary().value("CFBundleDisplayName", "Melodrift");
    if (argc > 1 && std::string(argv[1]) == "--version") {
        std::printf(
            "%s %s\n", name.c_str(),
            Bundle::main().infoDictionary().value("CFBundleShortVersionString", "").c_str());
        return 0;
    }
    std::printf("%s: the window and the command line are not built yet.\n", name.c_str());
    return 0;
}
