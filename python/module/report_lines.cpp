#include "report_lines.h"

#include <pybind11/pybind11.h>

#include <atomic>
#include <mutex>
#include <streambuf>

namespace audconv::python {
namespace {

// A stream buffer that several threads may write into: the configuration is set up by
// whichever thread converts first, while another may be taking the lines already written.
class CollectingBuffer : public std::streambuf {
  public:
    std::vector<std::string> TakeLines() {
        if (!pending_.load(std::memory_order_acquire)) return {};
        const std::lock_guard lock(mutex_);
        std::vector<std::string> lines;
        std::size_t start = 0;
        for (std::size_t end = text_.find('\n'); end != std::string::npos; end = text_.find('\n', start)) {
            lines.push_back(text_.substr(start, end - start));
            start = end + 1;
        }
        text_.erase(0, start);
        pending_.store(!text_.empty(), std::memory_order_release);
        return lines;
    }

  protected:
    int_type overflow(int_type character) override {
        if (traits_type::eq_int_type(character, traits_type::eof())) return traits_type::not_eof(character);
        const char byte = traits_type::to_char_type(character);
        xsputn(&byte, 1);
        return character;
    }

    std::streamsize xsputn(const char* text, std::streamsize count) override {
        const std::lock_guard lock(mutex_);
        text_.append(text, static_cast<std::size_t>(count));
        pending_.store(true, std::memory_order_release);
        return count;
    }

  private:
    std::mutex mutex_;
    std::string text_;
    std::atomic<bool> pending_{false};
};

CollectingBuffer& Buffer() {
    static CollectingBuffer buffer;
    return buffer;
}

}  // namespace

std::ostream& ReportLineStream() {
    static std::ostream stream(&Buffer());
    return stream;
}

std::vector<std::string> TakeReportLines() { return Buffer().TakeLines(); }

void LogReportLines() {
    const std::vector<std::string> lines = TakeReportLines();
    if (lines.empty()) return;
    const pybind11::object logger = pybind11::module_::import("logging").attr("getLogger")("audconv");
    for (const std::string& line : lines) logger.attr("debug")(line);
}

}  // namespace audconv::python
