#pragma once
// The program's entry: the main window (plotix [FILE]) or a headless command-line mode
// (--calc, --render, --resave, --help, --version) that needs no display.

namespace plotix {

// Exit status: 0 success, 1 a failure the mode reports (such as an error text), 2 bad usage.
int PlotixMain(int argc, char** argv);

}  // namespace plotix
