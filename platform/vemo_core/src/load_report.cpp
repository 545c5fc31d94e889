#include "vemo_core/change_log_document.h"

#include "vemo_core/codes.h"

#include <cmath>

namespace CL {
namespace {

std::string Percent(double factor)
{
    return std::to_string(static_cast<long>(std::lround(factor * 100.0)));
}

// The kind's name as the user sees it.
std::string KindName(UInt8 code)
{
    return code == codes::kSkip ? std::string("Skip") : codes::EditName(code);
}

template<class Line>
std::string Lines(const std::vector<LoadIssue>& issues, LoadIssue::Kind kind, Line line)
{
    std::string text;
    for (const LoadIssue& issue : issues) {
        if (issue.kind != kind)
            continue;
        if (!text.empty())
            text += "\n";
        text += line(issue);
    }
    return text;
}

} // namespace

std::string LoadReport::ModifiedClickEditLog() const
{
    return Lines(issues, LoadIssue::Kind::ClickValueChanged, [](const LoadIssue& issue) {
        return "Song " + issue.song + ": Click " + issue.id + " resolution "
            + std::to_string(static_cast<int>(issue.before)) + " is not available and was changed to "
            + std::to_string(static_cast<int>(issue.after)) + ".";
    });
}

std::string LoadReport::TempoScaleWarnings() const
{
    return Lines(issues, LoadIssue::Kind::TempoScaleLimited, [](const LoadIssue& issue) {
        return "Song " + issue.song + ": Tempo scale " + issue.id + " of " + Percent(issue.before)
            + "% was limited to " + Percent(issue.after) + "%.";
    });
}

int LoadReport::InvertedLoopEventCount() const
{
    int count = 0;
    for (const LoadIssue& issue : issues)
        count += issue.kind == LoadIssue::Kind::InvertedRegion ? 1 : 0;
    return count;
}

std::string LoadReport::InvertedLoopEventDescription(
    const std::function<std::string(const std::string& song, UInt32 tick)>& barAt) const
{
    return Lines(issues, LoadIssue::Kind::InvertedRegion, [&](const LoadIssue& issue) {
        const std::string from = barAt ? barAt(issue.song, issue.end) : std::to_string(issue.end);
        const std::string to = barAt ? barAt(issue.song, issue.start) : std::to_string(issue.start);
        return "Song " + issue.song + ": " + KindName(issue.code) + " " + issue.id + " ran backwards from bar "
            + from + " to bar " + to + " and was reversed.";
    });
}

std::string LoadReport::EventIdWarnings() const
{
    const std::string empty = Lines(issues, LoadIssue::Kind::EmptyId, [](const LoadIssue& issue) {
        return "Song " + issue.song + ": " + KindName(issue.code) + " at tick " + std::to_string(issue.start)
            + " had no id and was named " + issue.id + ".";
    });
    const std::string duplicate = Lines(issues, LoadIssue::Kind::DuplicateId, [](const LoadIssue& issue) {
        return "Song " + issue.song + ": " + KindName(issue.code) + " id " + issue.previousId
            + " was used twice and was renamed to " + issue.id + ".";
    });
    return empty.empty() || duplicate.empty() ? empty + duplicate : empty + "\n" + duplicate;
}

} // namespace CL
