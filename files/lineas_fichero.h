#pragma once
// The line structure of the network files: one value per line, CR LF after
// every line when written; CR LF, a lone CR or a lone LF when read.

#include <string>
#include <string_view>
#include <vector>

// The lines of `texto`. A NUL ends the text, and a line break at the very end
// does not start another (empty) line. The views point into `texto`.
std::vector<std::string_view> DividirLineas(std::string_view texto);

// Each line followed by CR LF, the last one included.
std::string UnirLineas(const std::vector<std::string>& lineas);
