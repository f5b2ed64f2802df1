#pragma once
// The headless modes that open graph files: --render draws a graph into a picture
// file, --resave writes it again in the current format. Both need a (headless)
// QGuiApplication for fonts; messages go through the installed message handler.

#include <string>

namespace plotix {

// Draws the graph with its labels at its stored bitmap size and writes a .bmp (of that
// colour depth; 0 for the depth of a new graph bitmap) or .png picture. Returns the exit
// status: 0, or 1 after a failure.
int RenderGraphFile(const std::string& graphFile, const std::string& pictureFile, int depth);

// Opens a graph file of either format and saves it in the current one. Exit status 0 or 1.
int ResaveGraphFile(const std::string& from, const std::string& to);

// True for a picture name --render can write (.bmp or .png, in any case).
bool IsPictureFileName(const std::string& fileName);

}  // namespace plotix
