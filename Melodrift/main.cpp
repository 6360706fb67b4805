#include "Foundation/Bundle.h"
#include "Melodrift/ConvertCommand.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!arguments.empty() && arguments[0] == "convert") {
        arguments.erase(arguments.begin());
        return ConvertCommand(stdout, stderr).run(arguments);
    }
    const auto& info = Bundle::main().infoDictionary();
    std::string name = info.value("CFBundleDisplayName", "Melodrift");
    if (!arguments.empty() && arguments[0] == "--version") {
        std::printf("%s %s\n", name.c_str(), info.value("CFBundleShortVersionString", "").c_str());
        return 0;
    }
    std::printf("%s: the window is not built yet; convert files with 'melodrift convert' "
                "(see 'melodrift convert --help').\n",
                name.c_str());
    return 0;
}
