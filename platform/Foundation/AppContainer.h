#pragma once

#include <string>

// The application's private storage: $MELODRIFT_HOME, else ~/.local/share/Melodrift.
// It holds Documents/, tmp/ and the user defaults file.
namespace AppContainer {

std::string rootPath();
std::string documentsPath();
std::string temporaryPath();
std::string defaultsPath();

} // namespace AppContainer
