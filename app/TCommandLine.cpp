#include "app/TCommandLine.h"

#include "app/RenderText.h"

#include <cstdio>
#include <cstring>

std::string TCommandLine::HelpText()
{
    return std::string(Msg::HelpIntroduction) + Msg::RenderOptions + Msg::HelpClosing;
}

std::string TCommandLine::VersionText()
{
    return std::string(Msg::VersionPrefix) + Version + "\n";
}

std::optional<int> TCommandLine::Answer(int argc, char** argv)
{
    if (argc < 2)
        return std::nullopt;
    // "vendrel --render --help" asks for the same help as "vendrel --help".
    const char* Asked = std::strcmp(argv[1], "--render") == 0 && argc == 3 ? argv[2] : argv[1];
    std::string Text;
    if (std::strcmp(Asked, "--help") == 0)
        Text = HelpText();
    else if (std::strcmp(Asked, "--version") == 0)
        Text = VersionText();
    else
        return std::nullopt;
    const bool Written = std::fputs(Text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0;
    return Written ? 0 : 1;
}
