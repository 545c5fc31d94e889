#include "lists/event_info_item.h"

#include <vemo_core/codes.h>

#include <iostream>

namespace vemo::qt {

namespace {

QString CountText(int count)
{
    return count != 0 ? QString::number(count) + "x" : QString::fromUtf8("∞");
}

QString HalfStepsText(int halfSteps)
{
    return halfSteps >= 0 ? "+" + QString::number(halfSteps) : QString::number(halfSteps);
}

QString PercentText(float factor)
{
    const float percent = factor * 100.0f;
    const int rounded = percent >= 0.0f ? static_cast<int>(percent + 0.5f) : static_cast<int>(percent - 0.5f);
    return QString::number(rounded) + "%";
}

QString OscCommandText(QString command)
{
    if (!command.isEmpty())
        command[0] = command[0].toUpper();
    const QString lower = command.toLower();
    if (lower == "play")
        return QString::fromUtf8("▶");
    if (lower == "stop")
        return QString::fromUtf8("⏹");
    if (lower == "fadeto")
        return "Fade";
    return command;
}

} // namespace

QString EventValueText(const cmn::VemoEvent& event)
{
    switch (event.code()) {
    case '@':
    case 'A':
        return CountText(event.int_value());
    case 'S':
        return OscMessageDisplayText(event.osc_properties().Message());
    case 'C':
        return HalfStepsText(event.int_value());
    case 'D':
        return PercentText(event.float_value());
    case 'Q':
    case 'R':
        return QString::fromStdString(event.sfx_properties().name());
    default:
        return {};
    }
}

EventInfoItem MakeEventInfoItem(const cmn::VemoEvent& event)
{
    return {event.start(), event.end(), event.code(), EventValueText(event), event.IsPairedEvent()};
}

QString OscMessageDisplayText(const std::string& message)
{
    static const QString sfxPrefix = "/vemo/sfx/";
    const QString text = QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())).trimmed();
    if (text.startsWith(sfxPrefix)) {
        const qsizetype slash = text.indexOf('/', sfxPrefix.size());
        if (slash < 0) {
            std::cerr << "Invalid format: Unable to find the ending '/'" << std::endl;
            return text;
        }
        const QString name = text.mid(sfxPrefix.size(), slash - sfxPrefix.size());
        const qsizetype blank = text.indexOf(' ', slash);
        const QString command = text.mid(slash + 1, blank < 0 ? -1 : blank - slash - 1);
        return OscCommandText(command) + " " + name;
    }
    if (text.startsWith("/vemo/volume"))
        return "Volume Change";
    if (text.startsWith("/vemo/fadeto"))
        return "Fade To...";
    return text;
}

QString EventTypeName(std::uint8_t code)
{
    const auto name = codes::editNameByVemoEventCode.find(code);
    if (name == codes::editNameByVemoEventCode.end())
        return {};
    return name->second == "Fermata" ? QStringLiteral("Skip") : QString::fromStdString(name->second);
}

} // namespace vemo::qt
