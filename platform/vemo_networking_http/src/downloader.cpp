#include "vemo_networking_http/downloader.h"

#include "vemo_networking_http/file_names.h"
#include "part_file_copy.h"
#include "service_folder.h"

#include <iostream>

namespace vemo::networking {
namespace {

// Every step of one download that can refuse it; the reason goes to the journal.
std::string Refusal(const detail::Service& service, const detail::Faults& faults, const std::string& link,
                    const std::filesystem::path& target, std::optional<std::filesystem::path>& source)
{
    if (faults.For("Download").kind != detail::Faults::Scripted::Kind::None)
        return "scripted failure";
    const std::string name = target.filename().string();
    if (!IsSafeFileName(name) || !name.ends_with(".logdata") || !IsDirectlyInside(target, target.parent_path())) {
        ReportRejectedName(name);
        return "unsafe target name";
    }
    source = detail::ResolveInside(link, service.folder);
    if (!source || !source->filename().string().ends_with(".logdata"))
        return "source outside the service or missing";
    return std::string();
}

} // namespace

bool VEMODownloader::Download(const std::string& link, const std::filesystem::path& target, const std::string& text,
                              const UInt8* key, std::size_t keyLen, const std::string& code, const UInt8* access1,
                              std::size_t n1, const UInt8* access2, std::size_t n2)
{
    (void)key;
    (void)access1;
    (void)access2;
    try {
        const detail::Service service = detail::OpenDefaultService();
        if (!service.reachable())
            return false;
        const detail::Faults faults(service.folder);
        std::optional<std::filesystem::path> source;
        std::string reason = Refusal(service, faults, link, target, source);
        if (reason.empty()) {
            detail::PartCopy copy;
            copy.source = *source;
            copy.sha256 = text;
            copy.target = target;
            const detail::CopyResult copied = detail::CopyThroughPart(copy);
            reason = copied.outcome == detail::CopyOutcome::Written ? std::string() : copied.reason;
        }
        faults.Journal("Download " + EscapeFileName(target.filename().string()) + " code=" + code + " key="
                       + std::to_string(keyLen) + " access=" + std::to_string(n1) + "," + std::to_string(n2) + " -> "
                       + (reason.empty() ? "true" : "false " + reason));
        return reason.empty();
    } catch (const std::exception& failure) {
        std::cerr << "Download failed: " << failure.what() << std::endl;
        return false;
    }
}

bool VEMODownloader::Download(const std::string& link, const std::filesystem::path& target, const std::string& text,
                              const vemo::core::DataVector& key, const std::string& code,
                              const vemo::core::DataVector& access1, const vemo::core::DataVector& access2)
{
    return Download(link, target, text, key.data(), key.size(), code, access1.data(), access1.size(), access2.data(),
                    access2.size());
}

} // namespace vemo::networking
