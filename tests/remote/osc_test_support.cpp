#include "osc_test_support.h"

#include "osc/osc_datagram_builder.h"

#include <QHostAddress>
#include <QStringList>
#include <QUdpSocket>

namespace vemo::osc::testing {

QString Describe(const OscMessage& message)
{
    QStringList parts{QString::fromStdString(message.address)};
    for (const auto& argument : message.arguments) {
        switch (argument->type()) {
        case kOscTypeInt32:
            parts << "i:" + QString::number(argument->toInt32());
            break;
        case kOscTypeFloat32:
            parts << "f:" + QString::fromStdString(argument->toString());
            break;
        default:
            parts << "s:" + QString::fromStdString(argument->toString());
            break;
        }
    }
    return parts.join(' ');
}

OscMessage Parse(const QByteArray& datagram)
{
    return ParseOscMessage(reinterpret_cast<const std::uint8_t*>(datagram.constData()), datagram.size());
}

OscMessage MessageOf(const QString& text)
{
    return Parse(BuildOscDatagram(text));
}

std::uint16_t FreeUdpPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress::Any, 0);
    return probe.localPort();
}

} // namespace vemo::osc::testing
