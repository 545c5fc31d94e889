// Feeds arbitrary bytes to the score's page reader as the plain content of a package, with small
// limits, so that a compression bomb among the inputs stays within the fuzzer's memory limit. The
// sanitizers report any read outside the input, and the fuzzer's limits any walk that does not end.
#include "shows/score_page_reader.h"

#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace {

void Quiet(QtMsgType, const QMessageLogContext&, const QString&)
{
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Every broken input warns; the warnings are the reader's normal answer, not findings.
    qInstallMessageHandler(Quiet);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream plain(std::string(reinterpret_cast<const char*>(data), size));
    vemo::shows::ScorePageReader reader(
        {.pageBytes = 1ull << 20, .totalPageBytes = 8ull << 20, .archiveBytes = 64ull << 20});
    reader.Read(plain);
    return 0;
}
