#pragma once
// `vendrel --help` and `vendrel --version`, answered before any window or display exists.
// Every text it prints is in the command line's table of texts (app/RenderText.h).
#include <optional>
#include <string>

class TCommandLine
{
  public:
    // The product version, the same that the About box shows.
    static constexpr const char* Version = VENDREL_VERSION;

    static std::string HelpText();
    static std::string VersionText();

    // When the first argument after the program name is --help or --version, prints the
    // answer to standard output and returns the exit code (0, or 1 when the output cannot
    // be written); otherwise returns nothing and prints nothing.
    static std::optional<int> Answer(int argc, char** argv);
};
