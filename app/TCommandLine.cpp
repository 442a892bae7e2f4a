#include "app/TCommandLine.h"

#include "app/TRenderCommand.h"

#include <cstdio>
#include <cstring>

std::string TCommandLine::HelpText()
{
    return std::string("Usage: vendrel [FILE.vdg]\n"
                       "       vendrel --render FILE.vdg OUT.png [OPTION...]\n"
                       "       vendrel --help | --version\n"
                       "\n"
                       "Vendrel plots formulas in x and the time parameter t. Without options it opens\n"
                       "the main window, with the document FILE.vdg when one is named.\n"
                       "\n"
                       "--render draws FILE.vdg into the picture OUT.png without a window or a display,\n"
                       "with the graphs enabled, the document's View options (round grid steps, pi\n"
                       "ticks, logarithmic axes, equal scales, legend, dark plot) and every other\n"
                       "setting at its start value. Graphs of every kind are drawn: functions,\n"
                       "parametric, polar and inverse curves, derivatives and integrals. Options:\n") +
           TRenderCommand::OptionsHelp +
           "It exits with 0 when the picture is written, 1 when the document cannot be drawn\n"
           "or the picture not written (the reason on standard error), 2 for wrong arguments.\n"
           "\n"
           "  --help               print this help and exit\n"
           "  --version            print the version and exit\n"
           "\n"
           "The manual page vendrel(1) tells more.\n";
}

std::string TCommandLine::VersionText()
{
    return std::string("vendrel ") + Version + "\n";
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
