#include "listen/journal_printer.h"

#include <filesystem>
#include <iostream>

namespace vemo::osc {

JournalPrinter::JournalPrinter(std::string prefix, Source source) : prefix_(std::move(prefix)), source_(std::move(source)) {}

void JournalPrinter::PrintNew()
{
    const std::vector<std::string> lines = source_();
    if (lines.size() < printed_) {
        // The journal was cleared: everything in it is new.
        printed_ = 0;
    }
    for (std::size_t i = printed_; i < lines.size(); ++i) {
        std::cout << prefix_ << lines[i] << std::endl;
    }
    printed_ = lines.size();
}

JournalFilePrinter::JournalFilePrinter(std::string prefix, std::string path, LineFilter filter)
    : prefix_(std::move(prefix))
    , path_(std::move(path))
    , filter_(std::move(filter))
{
    std::error_code missing;
    const std::uintmax_t size = std::filesystem::file_size(path_, missing);
    offset_ = missing ? 0 : size;
}

void JournalFilePrinter::PrintNew()
{
    std::ifstream file(path_, std::ios::binary);
    if (!file) {
        return;
    }
    file.seekg(static_cast<std::streamoff>(offset_));
    std::string chunk((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    offset_ += chunk.size();
    partial_ += chunk;
    std::size_t start = 0;
    for (std::size_t end = partial_.find('\n'); end != std::string::npos; end = partial_.find('\n', start)) {
        const std::string line = partial_.substr(start, end - start);
        if (filter_(line)) {
            std::cout << prefix_ << line << std::endl;
        }
        start = end + 1;
    }
    partial_.erase(0, start);
}

} // namespace vemo::osc
