#include "model/export_problems.h"

#include <map>
#include <string>

namespace audiogram::model {
namespace {

std::string_view Trimmed(std::string_view line) {
    while (!line.empty() && (line.front() == '\t' || line.front() == ' ')) line.remove_prefix(1);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
    return line;
}

}  // namespace

// The export writes every tag and comment on a line of its own, so the element path of a
// comment follows from the start and end tags before it.
std::vector<Problem> ExportProblems(std::string_view document) {
    struct Open {
        std::string name;
        std::map<std::string, int, std::less<>> children;
    };
    std::vector<Open> open;
    std::vector<std::string> path;  // "Name[k]" of every open element below the root
    std::vector<Problem> problems;
    while (!document.empty()) {
        const std::size_t end = document.find('\n');
        const std::string_view line = Trimmed(document.substr(0, end));
        document.remove_prefix(end == std::string_view::npos ? document.size() : end + 1);
        if (line.starts_with("<!--")) {
            std::string_view text = line.substr(4);
            if (text.ends_with("-->")) text.remove_suffix(3);
            std::string where;
            for (const std::string& step : path) where += (where.empty() ? "" : "/") + step;
            problems.push_back({where, std::string(Trimmed(text))});
        } else if (line.starts_with("</")) {
            if (open.size() > 1) path.pop_back();  // the root has no step in the path
            if (!open.empty()) open.pop_back();
        } else if (line.starts_with("<") && !line.starts_with("<?") && line.find("</") == std::string_view::npos) {
            const std::string name(line.substr(1, line.find_first_of(" >") - 1));
            if (!open.empty()) path.push_back(name + "[" + std::to_string(++open.back().children[name]) + "]");
            open.push_back({name, {}});
        }
    }
    return problems;
}

}  // namespace audiogram::model
