#include "frontend/problem_comments.h"

namespace audiogram::frontend {

std::size_t CountProblemComments(std::string_view document) {
    std::size_t count = 0;
    while (!document.empty()) {
        const std::size_t end = document.find('\n');
        std::string_view line = document.substr(0, end);
        document.remove_prefix(end == std::string_view::npos ? document.size() : end + 1);
        const std::size_t first = line.find_first_not_of(" \t");
        if (first != std::string_view::npos && line.substr(first).starts_with("<!--")) ++count;
    }
    return count;
}

}  // namespace audiogram::frontend
