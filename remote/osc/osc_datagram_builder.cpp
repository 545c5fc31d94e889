#include "osc/osc_datagram_builder.h"

#include <bit>
#include <cstdint>

namespace vemo::osc {

namespace {

void AppendBigEndian32(QByteArray& out, std::uint32_t value)
{
    const char bytes[4] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
    out.append(bytes, 4);
}

void AppendPaddedString(QByteArray& out, const QByteArray& text)
{
    out.append(text);
    out.append(4 - text.size() % 4, '\0');
}

// The type of an unquoted argument, 'i', 'f' or 's', as QString::toInt (base 10) and
// QString::toFloat classify it; the number goes to `intValue` or `floatValue`.
char ClassifyOscToken(const QString& token, qint32& intValue, float& floatValue)
{
    bool ok = false;
    intValue = token.toInt(&ok, 10);
    if (ok) {
        return 'i';
    }
    floatValue = token.toFloat(&ok);
    return ok ? 'f' : 's';
}

// Collects the type tags and the argument bytes while the argument text is read.
class ArgumentWriter {
public:
    explicit ArgumentWriter(qsizetype textSize)
    {
        tags_.reserve(16);
        tags_.append(',');
        // Room for the usual case: no argument is longer in bytes than four times its text.
        bytes_.reserve(4 * textSize + 8);
    }

    void AddString(const QString& token)
    {
        AddTag('s');
        AppendPaddedString(bytes_, token.toUtf8());
    }

    void AddTyped(const QString& token)
    {
        qint32 intValue = 0;
        float floatValue = 0.0F;
        switch (ClassifyOscToken(token, intValue, floatValue)) {
        case 'i':
            AddTag('i');
            AppendBigEndian32(bytes_, static_cast<std::uint32_t>(intValue));
            break;
        case 'f':
            AddTag('f');
            AppendBigEndian32(bytes_, std::bit_cast<std::uint32_t>(floatValue));
            break;
        default:
            AddString(token);
            break;
        }
    }

    void AppendTo(QByteArray& datagram) const
    {
        if (tags_.size() > 1) {
            AppendPaddedString(datagram, tags_);
            datagram.append(bytes_);
        }
    }

private:
    void AddTag(char tag) { tags_.append(tag); }

    QByteArray tags_;
    QByteArray bytes_;
};

void WriteArguments(QStringView text, ArgumentWriter& writer)
{
    QString token;
    token.reserve(text.size());
    bool betweenTokens = true;
    bool inQuotes = false;
    for (const QChar c : text) {
        if (inQuotes) {
            if (c == u'"') {
                writer.AddString(token);
                token.resize(0);
                inQuotes = false;
                betweenTokens = true;
            } else {
                token.append(c);
            }
        } else if (c == u'"') {
            inQuotes = true;
            betweenTokens = false;
        } else if (c == u' ') {
            if (!betweenTokens) {
                writer.AddTyped(token);
                token.resize(0);
                betweenTokens = true;
            }
        } else {
            token.append(c);
            betweenTokens = false;
        }
    }
    if (!token.isEmpty()) {
        if (inQuotes) {
            writer.AddString(token);
        } else {
            writer.AddTyped(token);
        }
    }
}

} // namespace

QByteArray BuildOscDatagram(const QString& text)
{
    QByteArray datagram;
    if (text.isEmpty()) {
        return datagram;
    }
    const qsizetype blank = text.indexOf(u' ');
    if (blank < 0) {
        AppendPaddedString(datagram, text.toUtf8());
        return datagram;
    }
    datagram.reserve(8 * text.size() + 16);
    AppendPaddedString(datagram, QStringView(text).left(blank).toUtf8());
    ArgumentWriter writer(text.size() - blank);
    WriteArguments(QStringView(text).mid(blank + 1), writer);
    writer.AppendTo(datagram);
    return datagram;
}

} // namespace vemo::osc
