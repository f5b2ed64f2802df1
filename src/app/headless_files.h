#pragma once
// The headless modes that open graph files: --render draws a graph into a picture
// file, --resave writes it again in the current format. Both need a (headless)
// QGuiApplication for fonts; messages go through the installed message handler.

#include <string>
#include <vector>

#include "expr/parameters.h"
#include "window/picture_formats.h"

namespace plotix {

// One graph file and the picture to draw it into.
struct TRenderJob {
  std::string graphFile, pictureFile;
};

// How --render draws: exact at a colour depth (0 for the depth of a new graph bitmap),
// or smooth PNG at a scale (1 to 4); .svg and .pdf pictures are always vectors.
struct TRenderOptions {
  int depth = 0;
  bool smooth = false;
  int scale = 1;
  TParameterList parameters;  // values that replace the files' own, by name
};

// Draws each graph with its labels at its stored bitmap size and writes a .bmp, .png,
// .svg or .pdf picture as the options say, the files on every core at once. A file that fails does not stop the others;
// with more than one file its messages come under its name, in the order of the jobs. Returns the exit status: 0, 1
// when any failed, or 2 when a file has no parameter of a name the options give.
int RenderGraphFiles(const std::vector<TRenderJob>& jobs, const TRenderOptions& options);

// Opens a graph file of either format and saves it in the current one. Exit status 0 or 1.
int ResaveGraphFile(const std::string& from, const std::string& to);

// The picture format --render writes for a picture file's name and the options; the name
// has one (the command line's checks).
const TPictureFormat& RenderedFormat(const std::string& pictureFile, const TRenderOptions& options);

}  // namespace plotix
