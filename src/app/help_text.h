#pragma once
// The page "Help &Contents..." shows.

namespace plotix {

extern const char* const kHelpHtml;

}  // namespace plotix
