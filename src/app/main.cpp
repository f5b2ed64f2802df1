#include "app/cmdline.h"

int main(int argc, char** argv) { return plotix::PlotixMain(argc, argv); }
