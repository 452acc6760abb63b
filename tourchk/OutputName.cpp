// The name of the matrix table that TOURCHK writes for an instance file.
#include "OutputName.h"

std::string OutputName(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = path.find('.', nameStart);
    return std::string(path.substr(0, dot)) + ".txt";
}
