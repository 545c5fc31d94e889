#include "audio_output/output_path_devices.h"

#include <rapidjson/document.h>
#include <rapidjson/error/en.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <stdexcept>

namespace vemo::qt {
namespace {

const char* const kOutputPaths = "outputpaths";

std::runtime_error Malformed(const char* what)
{
    return std::runtime_error(std::string("The output path config file is malformed: ") + what);
}

// Text up to the first NUL character, as ids are kept.
std::string StringUpToNul(const rapidjson::Value& value, const char* wrongType)
{
    if (!value.IsString()) {
        throw Malformed(wrongType);
    }
    return value.GetString();
}

} // namespace

OutputPathDeviceMap ParseOutputPathDevices(std::string_view text)
{
    rapidjson::Document document;
    // Iterative: deeply nested brackets must not exhaust the stack.
    document.Parse<rapidjson::kParseIterativeFlag>(text.data(), text.size());
    if (document.HasParseError()) {
        const rapidjson::ParseErrorCode code = document.GetParseError();
        throw std::runtime_error("The output path config file has a parse error: " + std::to_string(code) + " "
                                 + rapidjson::GetParseError_En(code));
    }
    const rapidjson::Value& root = document;
    if (!root.IsObject()) {
        throw Malformed("the root is not an object");
    }
    const auto outputPaths = root.FindMember(kOutputPaths);
    if (outputPaths == root.MemberEnd()) {
        throw std::runtime_error(
            "The output path config file does not contain a field called \"outputpaths\" and cannot be read.");
    }
    if (!outputPaths->value.IsArray()) {
        throw Malformed("\"outputpaths\" is not an array");
    }
    OutputPathDeviceMap paths;
    std::string last;
    for (const rapidjson::Value& entry : outputPaths->value.GetArray()) {
        if (!entry.IsObject()) {
            throw Malformed("an entry is not an object");
        }
        const auto id = entry.FindMember("id");
        if (id == entry.MemberEnd()) {
            const std::string leadIn = last.empty() ? "The first outputpath found "
                                                    : "The outputpath after the outputpath with id " + last + " ";
            throw std::runtime_error(leadIn + " does not have an id. Failing.");
        }
        last = StringUpToNul(id->value, "an \"id\" is not a string");
        const auto hwid = entry.FindMember("hwid");
        if (hwid == entry.MemberEnd()) {
            const std::string leadIn =
                last.empty() ? "The first outputpath found " : "The outputpath with id " + last + " ";
            throw std::runtime_error(leadIn + " does not have a hwid. Failing.");
        }
        paths.insert_or_assign(last, CL::OutputPath(last, "", StringUpToNul(hwid->value, "a \"hwid\" is not a string"), ""));
    }
    return paths;
}

std::string OutputPathDevicesText(const OutputPathDeviceMap& paths)
{
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    writer.StartObject();
    writer.Key(kOutputPaths);
    writer.StartArray();
    for (const auto& [id, path] : paths) {
        writer.StartObject();
        writer.Key("id");
        writer.String(id.c_str());
        writer.Key("hwid");
        writer.String(path.GetDeviceId().c_str());
        writer.EndObject();
    }
    writer.EndArray();
    writer.EndObject();
    return {buffer.GetString(), buffer.GetSize()};
}

} // namespace vemo::qt
